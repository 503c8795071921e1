#include "tools/picturegen/ico_writer.h"

#include "tools/picturegen/le_bytes.h"
#include "tools/picturegen/palette.h"

#include <stdexcept>

namespace picturegen {
namespace {

constexpr int dirBytes = 6 + 16;
constexpr int infoBytes = 40;
constexpr int paletteBytes = 256 * 4;

bool transparentAt(const QImage& argb, int x, int y) {
    return qAlpha(argb.pixel(x, y)) < 128;
}

} // namespace

QByteArray encodeIco256(const QImage& image) {
    const int size = image.width();
    if (size < 1 || size > 256 || image.height() != size)
        throw std::invalid_argument("encodeIco256 needs a square image of 1 to 256 pixels");
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);

    // Transparent pixels are black in the colour bitmap: AND keeps the screen, XOR 0 leaves it.
    QImage opaque(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            opaque.setPixel(
                x, y, transparentAt(argb, x, y) ? qRgb(0, 0, 0) : argb.pixel(x, y) | 0xff000000u);
    const QImage indexed = toPalette256(opaque);

    const int colourRow = (size + 3) & ~3;
    const int maskRow = ((size + 31) / 32) * 4;
    const int imageBytes = infoBytes + paletteBytes + (colourRow + maskRow) * size;

    QByteArray out;
    putLe16(out, 0); // reserved
    putLe16(out, 1); // icon
    putLe16(out, 1); // one image
    out.append(char(size == 256 ? 0 : size));
    out.append(char(size == 256 ? 0 : size));
    out.append(char(0)); // 256 colours
    out.append(char(0)); // reserved
    putLe16(out, 1);     // planes
    putLe16(out, 8);     // bits per pixel
    putLe32(out, imageBytes);
    putLe32(out, dirBytes);

    putLe32(out, infoBytes);
    putLe32(out, size);
    putLe32(out, size * 2); // colour bitmap and mask, stacked
    putLe16(out, 1);
    putLe16(out, 8);
    putLe32(out, 0); // BI_RGB
    putLe32(out, (colourRow + maskRow) * size);
    putLe32(out, 0);
    putLe32(out, 0);
    putLe32(out, 256);
    putLe32(out, 0);
    for (const QRgb colour : indexed.colorTable()) {
        out.append(char(qBlue(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qRed(colour)));
        out.append(char(0));
    }

    for (int y = size - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(indexed.constScanLine(y)), size);
        out.append(colourRow - size, '\0');
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < size; ++x)
            if (transparentAt(argb, x, y))
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

} // namespace picturegen
