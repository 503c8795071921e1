#include "tests/resources/picture_checks.h"

#include "tests/resources/byte_reader.h"

#include <QFile>
#include <stdexcept>

namespace picturechecks {

QString committedPath(const QString& name) {
    return QStringLiteral(QX_PICTURES_DIR "/") + name;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

namespace {
qsizetype skipSubBlocks(const ByteReader& r, qsizetype at) {
    while (const int length = r.u8(at))
        at += 1 + length;
    return at + 1;
}
} // namespace

GifStructure parseGif(const QByteArray& bytes) {
    const ByteReader r(bytes);
    if (r.mid(0, 6) != "GIF89a")
        throw std::runtime_error("not a GIF89a file");
    GifStructure gif;
    gif.width = r.u16(6);
    gif.height = r.u16(8);
    const int packed = r.u8(10);
    gif.globalColours = (packed & 0x80) ? 2 << (packed & 7) : 0;
    qsizetype at = 13 + 3 * gif.globalColours;
    while (!gif.trailer) {
        switch (r.u8(at)) {
        case 0x2c: { // image descriptor
            ++gif.frames;
            const int local = r.u8(at + 9);
            at += 10 + ((local & 0x80) ? 3 * (2 << (local & 7)) : 0);
            at = skipSubBlocks(r, at + 1); // after the LZW code size
            break;
        }
        case 0x21: // extension
            if (r.u8(at + 1) == 0xf9 && (r.u8(at + 3) & 1))
                gif.transparency = true;
            at = skipSubBlocks(r, at + 2);
            break;
        case 0x3b:
            gif.trailer = true;
            break;
        default:
            throw std::runtime_error("unknown GIF block");
        }
    }
    return gif;
}

} // namespace picturechecks
