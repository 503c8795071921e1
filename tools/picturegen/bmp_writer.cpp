#include "tools/picturegen/bmp_writer.h"

#include "tools/picturegen/le_bytes.h"

namespace picturegen {

QByteArray encodeBmp24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int rowBytes = (image.width() * 3 + 3) & ~3;
    const int pixelBytes = rowBytes * image.height();
    constexpr int headerBytes = 14 + 40;

    QByteArray out("BM");
    putLe32(out, headerBytes + pixelBytes);
    putLe32(out, 0); // reserved
    putLe32(out, headerBytes);

    putLe32(out, 40);
    putLe32(out, image.width());
    putLe32(out, image.height()); // positive: bottom-up
    putLe16(out, 1);              // planes
    putLe16(out, 24);
    putLe32(out, 0); // BI_RGB
    putLe32(out, pixelBytes);
    putLe32(out, 3780); // 96 dots per inch, in dots per metre
    putLe32(out, 3780);
    putLe32(out, 0); // colours used
    putLe32(out, 0); // important colours

    for (int y = image.height() - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
        }
        out.append(rowBytes - image.width() * 3, '\0');
    }
    return out;
}

} // namespace picturegen
