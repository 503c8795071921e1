#include "tools/picturegen/picture_set.h"

#include "tools/picturegen/bmp_writer.h"
#include "tools/picturegen/drawing.h"
#include "tools/picturegen/gif_writer.h"
#include "tools/picturegen/ico_writer.h"
#include "tools/picturegen/palette.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <stdexcept>

namespace picturegen {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 file.errorString().toStdString());
}

void writePng(const QString& path, const QImage& image) {
    QImageWriter writer(path, "png");
    if (!writer.write(image))
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 writer.errorString().toStdString());
}

} // namespace

void writePictureSet(const QString& directory) {
    const QDir dir(directory);
    if (!dir.exists())
        throw std::runtime_error("no such directory: " + directory.toStdString());

    // One palette for both faces: pressing the button must not shift a colour.
    const QList<QImage> faces = toSharedPalette256(
        {drawSearchButton(ButtonFace::Raised), drawSearchButton(ButtonFace::Pressed)});
    writeFile(dir.filePath(QStringLiteral("search_raised.gif")), encodeGif(faces[0]));
    writeFile(dir.filePath(QStringLiteral("search_pressed.gif")), encodeGif(faces[1]));
    writeFile(dir.filePath(QStringLiteral("backdrop.bmp")), encodeBmp24(drawBackdrop()));
    writeFile(dir.filePath(QStringLiteral("icon.ico")), encodeIco256(drawZhuyinIcon(32)));
    // The icon theme takes PNGs with real alpha; the larger one is drawn at its own size.
    writePng(dir.filePath(QStringLiteral("icon-32.png")), drawZhuyinIcon(32));
    writePng(dir.filePath(QStringLiteral("icon-128.png")), drawZhuyinIcon(128));
}

} // namespace picturegen
