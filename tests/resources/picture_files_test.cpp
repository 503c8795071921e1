// The committed pictures: their formats as the window and the Windows build need them, and the
// few pixels that carry meaning (corners, edges, where the boxes meet the frames).
#include "tests/resources/byte_reader.h"
#include "tests/resources/picture_checks.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace picturechecks;

namespace {

const QRgb windowBlue = qRgb(142, 171, 255);
const QRgb boxBlue = qRgb(0, 0, 192);
const QRgb black = qRgb(0, 0, 0);

QImage load(const QString& name) {
    QImage image(committedPath(name));
    EXPECT_FALSE(image.isNull()) << name.toStdString();
    return image.convertToFormat(QImage::Format_ARGB32);
}

class ButtonFaceFile : public testing::TestWithParam<const char*> {};

TEST_P(ButtonFaceFile, IsOneFrameGif89aWithFullPaletteAndNoTransparency) {
    const GifStructure gif = parseGif(readFile(committedPath(GetParam())));
    EXPECT_EQ(gif.width, 65);
    EXPECT_EQ(gif.height, 48);
    EXPECT_EQ(gif.globalColours, 256);
    EXPECT_EQ(gif.frames, 1);
    EXPECT_FALSE(gif.transparency);
}

TEST_P(ButtonFaceFile, ShowsWindowBlueOutsideTheRoundedCorners) {
    const QImage face = load(GetParam());
    for (const QPoint corner : {QPoint(0, 0), QPoint(64, 0), QPoint(0, 47), QPoint(64, 47)})
        EXPECT_EQ(face.pixel(corner), windowBlue) << corner.x() << "," << corner.y();
    EXPECT_NE(face.pixel(3, 3), windowBlue) << "the face reaches into the corner curve";
}

TEST_P(ButtonFaceFile, ShowsMagnifierLeftAndGreenCaptionRight) {
    const QImage face = load(GetParam());
    int lens = 0, handle = 0, greenLeft = 0, greenRight = 0;
    for (int y = 4; y < 44; ++y) {
        for (int x = 4; x < 61; ++x) {
            const QRgb c = face.pixel(x, y);
            const bool left = x < 28;
            lens += left && isBluish(c);
            handle += left && isYellowish(c);
            (left ? greenLeft : greenRight) += isGreenish(c);
        }
    }
    EXPECT_GT(lens, 60);
    EXPECT_GT(handle, 15);
    EXPECT_EQ(greenLeft, 0);
    EXPECT_GT(greenRight, 80);
}

INSTANTIATE_TEST_SUITE_P(Pictures, ButtonFaceFile,
                         testing::Values("search_raised.gif", "search_pressed.gif"));

TEST(ButtonFaces, RaisedIsLitTopLeftAndPressedIsLitBottomRight) {
    const QImage raised = load(QStringLiteral("search_raised.gif"));
    const QImage pressed = load(QStringLiteral("search_pressed.gif"));
    const int face = brightness(raised.pixel(50, 40));
    ASSERT_EQ(face, brightness(pressed.pixel(50, 41)));
    struct Edge {
        const char* name;
        QPoint at;
        bool litWhenRaised;
    };
    const Edge edges[] = {{"top", {32, 2}, true},
                          {"left", {2, 24}, true},
                          {"bottom", {32, 45}, false},
                          {"right", {62, 24}, false}};
    for (const Edge& edge : edges) {
        SCOPED_TRACE(edge.name);
        const int up = brightness(raised.pixel(edge.at));
        const int down = brightness(pressed.pixel(edge.at));
        EXPECT_EQ(up > face, edge.litWhenRaised);
        EXPECT_EQ(down > face, !edge.litWhenRaised);
        EXPECT_NE(up, face);
        EXPECT_NE(down, face);
    }
}

TEST(ButtonFaces, PressedDrawingIsTheRaisedOneAPixelLower) {
    const QImage raised = load(QStringLiteral("search_raised.gif"));
    const QImage pressed = load(QStringLiteral("search_pressed.gif"));
    int differing = 0;
    for (int y = 4; y < 42; ++y)
        for (int x = 4; x < 61; ++x)
            differing += raised.pixel(x, y) != pressed.pixel(x, y + 1);
    EXPECT_EQ(differing, 0);
    // and not merely the same picture twice
    int unshifted = 0;
    for (int y = 4; y < 42; ++y)
        for (int x = 4; x < 61; ++x)
            unshifted += raised.pixel(x, y) != pressed.pixel(x, y);
    EXPECT_GT(unshifted, 50);
}

TEST(Backdrop, Is24BitBitmapOfPanelSize) {
    const ByteReader r(readFile(committedPath(QStringLiteral("backdrop.bmp"))));
    EXPECT_EQ(r.mid(0, 2), "BM");
    EXPECT_EQ(r.u32(2), r.size());
    EXPECT_EQ(r.u32(14), 40);  // BITMAPINFOHEADER
    EXPECT_EQ(r.s32(18), 297); // width
    EXPECT_EQ(r.s32(22), 73);  // height, bottom-up
    EXPECT_EQ(r.u16(28), 24);  // bits per pixel
    EXPECT_EQ(r.u32(30), 0);   // uncompressed
    EXPECT_EQ(r.u32(10) + 73 * ((297 * 3 + 3) / 4 * 4), r.size());
}

// The picture lies at 360 × 930 twips; the frames' right and bottom edges (1245, 4605 and 1785
// twips) fall on picture columns 58 and 282 and row 56, the reading frame's left edge on 78.
TEST(Backdrop, BoxOutlinesLieOnTheFrameEdges) {
    const QImage backdrop = load(QStringLiteral("backdrop.bmp"));
    for (int y = 8; y <= 48; y += 8) {
        SCOPED_TRACE(y);
        EXPECT_EQ(backdrop.pixel(57, y), boxBlue);
        EXPECT_EQ(backdrop.pixel(58, y), black);
        EXPECT_EQ(backdrop.pixel(78, y), black);
        EXPECT_EQ(backdrop.pixel(79, y), boxBlue);
        EXPECT_EQ(backdrop.pixel(281, y), boxBlue);
        EXPECT_EQ(backdrop.pixel(282, y), black);
    }
    for (const int x : {10, 40, 100, 200, 270}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(backdrop.pixel(x, 55), boxBlue);
        EXPECT_EQ(backdrop.pixel(x, 56), black);
        EXPECT_EQ(backdrop.pixel(x, 0), boxBlue) << "boxes run up to the picture's top";
    }
    EXPECT_EQ(backdrop.pixel(0, 30), boxBlue) << "the small box runs from the left edge";
}

TEST(Backdrop, CornersAreRoundAndShadowFallsRightAndBelow) {
    const QImage backdrop = load(QStringLiteral("backdrop.bmp"));
    for (const QPoint corner : {QPoint(58, 56), QPoint(78, 56), QPoint(282, 56)}) {
        EXPECT_NE(backdrop.pixel(corner), black) << corner.x();
        EXPECT_NE(backdrop.pixel(corner), boxBlue) << corner.x();
    }
    const int ground = brightness(windowBlue);
    EXPECT_LT(brightness(backdrop.pixel(60, 30)), ground) << "right of the small box";
    EXPECT_LT(brightness(backdrop.pixel(285, 30)), ground) << "right of the wide box";
    EXPECT_LT(brightness(backdrop.pixel(150, 58)), ground) << "below the wide box";
    EXPECT_EQ(backdrop.pixel(77, 30), windowBlue) << "no shadow left of a box";
    for (const QPoint clear : {QPoint(296, 0), QPoint(296, 72), QPoint(70, 72), QPoint(0, 72)})
        EXPECT_EQ(backdrop.pixel(clear), windowBlue) << clear.x() << "," << clear.y();
}

// Which symbol's colour dominates each third of the diagonal, top left to bottom right.
void expectDiagonalBlueRedGreen(const QImage& icon) {
    const int size = icon.width();
    int counts[3][3] = {}; // [zone][blue, red, green]
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb c = icon.pixel(x, y);
            if (qAlpha(c) < 128)
                continue;
            const int zone = std::min(2, (x + y) * 3 / (2 * size));
            counts[zone][0] += isBluish(c);
            counts[zone][1] += isRedish(c);
            counts[zone][2] += isGreenish(c);
        }
    }
    for (int zone = 0; zone < 3; ++zone) {
        SCOPED_TRACE(zone);
        for (int other = 0; other < 3; ++other) {
            if (other != zone) {
                EXPECT_GT(counts[zone][zone], 2 * counts[zone][other]) << "against " << other;
            }
        }
    }
}

TEST(Icon, IsOne32x32ImageOf256ColoursWithMask) {
    const ByteReader r(readFile(committedPath(QStringLiteral("icon.ico"))));
    EXPECT_EQ(r.u16(0), 0);
    EXPECT_EQ(r.u16(2), 1); // icon
    ASSERT_EQ(r.u16(4), 1); // one image
    EXPECT_EQ(r.u8(6), 32);
    EXPECT_EQ(r.u8(7), 32);
    EXPECT_EQ(r.u16(12), 8); // bits per pixel
    const qint64 offset = r.u32(18);
    constexpr int colourBytes = 32 * 32, maskBytes = 32 * 4;
    EXPECT_EQ(r.u32(14), 40 + 256 * 4 + colourBytes + maskBytes);
    EXPECT_EQ(offset + r.u32(14), r.size());
    EXPECT_EQ(r.s32(offset + 4), 32);
    EXPECT_EQ(r.s32(offset + 8), 64); // colour bitmap plus mask
    EXPECT_EQ(r.u16(offset + 14), 8);
    EXPECT_EQ(r.u32(offset + 16), 0);

    // The AND mask as stored (bottom-up, 1 = transparent) against what Qt makes of the file.
    const qint64 mask = offset + 40 + 256 * 4 + colourBytes;
    const QImage icon = load(QStringLiteral("icon.ico"));
    int transparent = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool masked = r.u8(mask + (31 - y) * 4 + x / 8) & (0x80 >> (x % 8));
            transparent += masked;
            ASSERT_EQ(masked, qAlpha(icon.pixel(x, y)) == 0) << x << "," << y;
        }
    }
    EXPECT_GT(transparent, 32 * 32 / 2) << "a transparent ground";
    EXPECT_LT(transparent, 32 * 32 - 100) << "and symbols on it";
    expectDiagonalBlueRedGreen(icon);
}

TEST(Icon, ThemeRenderingsHaveAlphaAndTheSameLayout) {
    for (const auto& [name, size] :
         {std::pair{"icon-32.png", 32}, std::pair{"icon-128.png", 128}}) {
        SCOPED_TRACE(name);
        const QImage icon(committedPath(QString::fromLatin1(name)));
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
        const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(qAlpha(argb.pixel(size - 1, 0)), 0);
        EXPECT_EQ(qAlpha(argb.pixel(0, size - 1)), 0);
        expectDiagonalBlueRedGreen(argb);
    }
}

} // namespace
