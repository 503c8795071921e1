#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <utility>

namespace phonetic {

// The reviewed data files built into the program (data/*.txt, by qx_embed_data) share a layout:
// a record a line; blank lines and lines that begin with '#' say nothing.

// The bytes of a file that qx_embed_data built in.
inline QByteArrayView builtInBytes(const unsigned char* data, std::size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The lines of `utf8` that say something, trimmed.
inline QStringList recordLines(QByteArrayView utf8) {
    QStringList lines;
    for (const QString& line : QString::fromUtf8(utf8).split(QLatin1Char('\n'))) {
        QString text = line.trimmed();
        if (!text.isEmpty() && !text.startsWith(QLatin1Char('#')))
            lines.push_back(std::move(text));
    }
    return lines;
}

} // namespace phonetic
