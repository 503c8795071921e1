#include "tools/picturegen/colours.h"
#include "tools/picturegen/drawing.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <vector>

namespace picturegen {
namespace {

constexpr int width = 297;
constexpr int height = 73;

// The picture sits at 360 × 930 twips in the window, 15 twips a pixel. Its boxes are the lower
// parts of the character frame (330..1245 × 900..1785 twips) and the reading frame
// (1530..4605 × 900..1785), so both start above the picture and the small one left of it.
constexpr std::array<QRectF, 2> boxes = {QRectF(-2, -2, 61, 59), QRectF(78, -2, 205, 59)};
constexpr qreal cornerRadius = 6; // as the frames draw theirs, so the corners coincide

constexpr QPointF shadowOffset(4, 4); // as far as the blur spreads, so none shows left or above
constexpr int blurRadius = 2;
constexpr int shadowStrength = 150; // of 255, where the shadow is darkest
const QColor shadowColour(20, 30, 80);

QPainterPath boxPath(const QRectF& box) {
    QPainterPath path;
    path.addRoundedRect(box, cornerRadius, cornerRadius);
    return path;
}

// Coverage of the boxes moved by the shadow offset, 0..255 a pixel.
std::vector<int> shadowCoverage() {
    QImage mask(width, height, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing);
    for (const QRectF& box : boxes)
        p.fillPath(boxPath(box.translated(shadowOffset)), Qt::black);
    p.end();

    std::vector<int> alpha(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            alpha[y * width + x] = qAlpha(mask.pixel(x, y));
    return alpha;
}

// One pass of a box blur along x (step 1) or y (step width); pixels beyond the edge count as
// their nearest edge pixel, since the boxes continue past the picture's top and left.
void boxBlur(std::vector<int>& values, bool alongX) {
    const std::vector<int> source = values;
    const int span = 2 * blurRadius + 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int sum = 0;
            for (int d = -blurRadius; d <= blurRadius; ++d) {
                const int sx = alongX ? std::clamp(x + d, 0, width - 1) : x;
                const int sy = alongX ? y : std::clamp(y + d, 0, height - 1);
                sum += source[sy * width + sx];
            }
            values[y * width + x] = (sum + span / 2) / span;
        }
    }
}

int mix(int from, int to, int amount) {
    return (from * (255 - amount) + to * amount + 127) / 255;
}

} // namespace

QImage drawBackdrop() {
    std::vector<int> shadow = shadowCoverage();
    for (int pass = 0; pass < 2; ++pass) {
        boxBlur(shadow, true);
        boxBlur(shadow, false);
    }

    QImage image(width, height, QImage::Format_RGB32);
    const QColor ground = QColor::fromRgb(colours::windowBlue);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int amount = (shadow[y * width + x] * shadowStrength + 127) / 255;
            image.setPixel(x, y,
                           qRgb(mix(ground.red(), shadowColour.red(), amount),
                                mix(ground.green(), shadowColour.green(), amount),
                                mix(ground.blue(), shadowColour.blue(), amount)));
        }
    }

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor::fromRgb(colours::boxBlue));
    for (const QRectF& box : boxes) {
        // A 1-px pen on the half-pixel line fills exactly the box's outermost pixels.
        const QRectF inner = box.adjusted(0.5, 0.5, -0.5, -0.5);
        p.drawRoundedRect(inner, cornerRadius, cornerRadius);
    }
    return image;
}

} // namespace picturegen
