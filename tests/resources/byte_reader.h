#pragma once

#include <QByteArray>
#include <stdexcept>

// Bounds-checked little-endian reads from a file's bytes, for the format tests.
class ByteReader {
public:
    explicit ByteReader(QByteArray bytes)
        : bytes_(std::move(bytes)) {}

    int u8(qsizetype at) const {
        if (at < 0 || at >= bytes_.size())
            throw std::out_of_range("read past the end of the file");
        return static_cast<unsigned char>(bytes_[at]);
    }
    int u16(qsizetype at) const { return u8(at) | u8(at + 1) << 8; }
    qint64 u32(qsizetype at) const { return qint64(u16(at)) | qint64(u16(at + 2)) << 16; }
    qint32 s32(qsizetype at) const { return static_cast<qint32>(u32(at)); }
    QByteArray mid(qsizetype at, qsizetype length) const { return bytes_.mid(at, length); }
    qsizetype size() const { return bytes_.size(); }

private:
    QByteArray bytes_;
};
