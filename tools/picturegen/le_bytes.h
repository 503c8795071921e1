#pragma once

#include <QByteArray>
#include <QtEndian>

// Little-endian fields, as the Windows and GIF picture formats store them.
namespace picturegen {

inline void putLe16(QByteArray& out, quint32 value) {
    char bytes[2];
    qToLittleEndian(quint16(value), bytes);
    out.append(bytes, 2);
}

inline void putLe32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace picturegen
