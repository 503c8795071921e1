#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

// Shared by the picture tests: where the committed pictures live, and colour classes that say
// what a pixel shows rather than its exact value.
namespace picturechecks {

QString committedPath(const QString& name);
QByteArray readFile(const QString& path);

inline bool isBluish(QRgb c) {
    return qBlue(c) > 140 && qBlue(c) - qRed(c) > 60;
}
inline bool isRedish(QRgb c) {
    return qRed(c) > 150 && qGreen(c) < 80 && qBlue(c) < 80;
}
inline bool isGreenish(QRgb c) {
    return qGreen(c) > 90 && qRed(c) < 80 && qBlue(c) < 80;
}
inline bool isYellowish(QRgb c) {
    return qRed(c) > 200 && qGreen(c) > 150 && qBlue(c) < 80;
}
inline int brightness(QRgb c) {
    return qRed(c) + qGreen(c) + qBlue(c);
}

// What a GIF's block structure says about it.
struct GifStructure {
    int width = 0;
    int height = 0;
    int globalColours = 0; // 0: no global colour table
    int frames = 0;
    bool transparency = false; // a Graphic Control Extension with the transparent flag
    bool trailer = false;
};
GifStructure parseGif(const QByteArray& bytes); // throws std::exception on a malformed file

} // namespace picturechecks
