// The picture generator: it reproduces the committed pictures byte for byte, and its encoders
// write files that an independent reader (Qt's) decodes to the same pixels.
#include "tests/resources/picture_checks.h"
#include "tools/picturegen/bmp_writer.h"
#include "tools/picturegen/gif_writer.h"
#include "tools/picturegen/ico_writer.h"
#include "tools/picturegen/palette.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <set>

using namespace picturechecks;
using namespace picturegen;

namespace {

TEST(PictureGenerator, ReproducesTheCommittedPictures) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess generator;
    generator.start(QStringLiteral(QX_PICTUREGEN), {out.path()});
    ASSERT_TRUE(generator.waitForFinished(60000));
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();

    for (const char* name :
         {"search_raised.gif", "search_pressed.gif", "backdrop.bmp", "icon.ico"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(readFile(out.filePath(QString::fromLatin1(name))) ==
                    readFile(committedPath(QString::fromLatin1(name))))
            << "regenerate with the `pictures` target and commit the result";
    }
    // PNG bytes depend on the zlib build; the pixels must not.
    for (const char* name : {"icon-32.png", "icon-128.png"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(QImage(out.filePath(QString::fromLatin1(name))),
                  QImage(committedPath(QString::fromLatin1(name))));
    }
}

// An indexed image whose pixels come from a seeded generator: deterministic, yet hard to compress.
QImage noiseImage(int width, int height, int colours, unsigned seed) {
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 256; ++i)
        table.append(qRgb(i, (i * 37) & 0xff, 255 - i));
    image.setColorTable(table);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.scanLine(y)[x] = static_cast<uchar>(random() % colours);
    return image;
}

void expectSamePixels(const QImage& expected, const QImage& decoded) {
    ASSERT_FALSE(decoded.isNull());
    ASSERT_EQ(decoded.size(), expected.size());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            ASSERT_EQ(decoded.pixel(x, y) | 0xff000000u, expected.pixel(x, y) | 0xff000000u)
                << x << "," << y;
}

struct GifCase {
    const char* name;
    QImage image;
};

void PrintTo(const GifCase& c, std::ostream* os) {
    *os << c.name;
}

class GifEncoder : public testing::TestWithParam<GifCase> {};

TEST_P(GifEncoder, RoundTripsThroughQtsReader) {
    const QImage& image = GetParam().image;
    const QByteArray gif = encodeGif(image);
    const GifStructure structure = parseGif(gif);
    EXPECT_EQ(structure.frames, 1);
    EXPECT_EQ(structure.globalColours, 256);
    expectSamePixels(image, QImage::fromData(gif, "GIF"));
}

INSTANTIATE_TEST_SUITE_P(
    Images, GifEncoder,
    testing::Values(GifCase{"SinglePixel", noiseImage(1, 1, 256, 1)},
                    // fills the code table many times over, so the clear code is exercised
                    GifCase{"Noise256Colours", noiseImage(211, 157, 256, 2)},
                    // long runs: codes for ever longer strings, up to 12 bits wide
                    GifCase{"FewColours", noiseImage(400, 300, 2, 3)},
                    GifCase{"OneColour", noiseImage(640, 480, 1, 4)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpEncoder, RoundTripsThroughQtsReaderWithRowPadding) {
    for (const int width : {1, 2, 3, 4, 297}) {
        SCOPED_TRACE(width);
        const QImage image = noiseImage(width, 5, 256, width).convertToFormat(QImage::Format_RGB32);
        expectSamePixels(image, QImage::fromData(encodeBmp24(image), "BMP"));
    }
}

class IcoEncoder : public testing::TestWithParam<int> {};

TEST_P(IcoEncoder, KeepsColoursAndMaskThroughQtsReader) {
    const int size = GetParam();
    QImage image(size, size, QImage::Format_ARGB32);
    std::mt19937 random(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y,
                           (x + y) % 3 == 0 ? qRgba(0, 0, 0, random() % 128)
                                            : qRgba(random() % 6 * 51, random() % 6 * 51,
                                                    random() % 6 * 51, 128 + random() % 128));
    const QImage decoded =
        QImage::fromData(encodeIco256(image), "ICO").convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(decoded.size(), image.size());
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb want = image.pixel(x, y);
            const QRgb got = decoded.pixel(x, y);
            if (qAlpha(want) < 128) {
                ASSERT_EQ(qAlpha(got), 0) << x << "," << y;
            } else {
                ASSERT_EQ(got, want | 0xff000000u) << x << "," << y;
            }
        }
    }
}

// 16 and 48 pixels leave padding at the end of each mask row; 32 fills the row exactly.
INSTANTIATE_TEST_SUITE_P(Sizes, IcoEncoder, testing::Values(16, 32, 48));

TEST(Palette, KeepsUpTo256ColoursExactlyAndMapsTheRestToNearest) {
    QImage few(16, 16, QImage::Format_RGB32);
    for (int i = 0; i < 256; ++i)
        few.setPixel(i % 16, i / 16, qRgb(i, 255 - i, (i * 7) & 0xff));
    const QImage exact = toPalette256(few);
    ASSERT_EQ(exact.colorCount(), 256);
    expectSamePixels(few, exact);

    // 300 shades of grey, one of them common: it must be exact, the others within a step.
    QImage many(300, 2, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x) {
        many.setPixel(x, 0, qRgb(x * 255 / 299, x * 255 / 299, x * 255 / 299));
        many.setPixel(x, 1, qRgb(100, 150, 200));
    }
    const QImage mapped = toPalette256(many);
    ASSERT_EQ(mapped.colorCount(), 256);
    EXPECT_EQ(mapped.pixel(0, 1), qRgb(100, 150, 200));
    for (int x = 0; x < 300; ++x)
        EXPECT_LE(std::abs(qRed(mapped.pixel(x, 0)) - qRed(many.pixel(x, 0))), 2) << x;
}

} // namespace
