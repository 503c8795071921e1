#pragma once

#include <QByteArray>
#include <QtGlobal>

// Little-endian fields, as the Windows and GIF picture formats store them.
namespace picturegen {

inline void putLe16(QByteArray& out, quint32 value) {
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

inline void putLe32(QByteArray& out, quint32 value) {
    putLe16(out, value & 0xffff);
    putLe16(out, value >> 16);
}

} // namespace picturegen
