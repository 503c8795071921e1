// The pictures: the generator reproduces the committed files, the window finds them among its
// linked resources, their formats are what the window and the Windows build read, and the few
// pixels that carry meaning are where they belong. The generator's encoders are tested here only
// through these files: the byte comparison pins their output and Qt's decoding of it is checked.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>
#include <utility>

namespace {

const QRgb windowBlue = qRgb(142, 171, 255);
const QRgb boxBlue = qRgb(0, 0, 192);
const QRgb black = qRgb(0, 0, 0);

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

// The window's copy, from the resources linked in as the program links them.
QImage resource(const char* name) {
    const QImage image(QStringLiteral(":/pictures/") + QLatin1String(name));
    EXPECT_FALSE(image.isNull()) << name << " is not among the linked resources";
    return image.convertToFormat(QImage::Format_ARGB32);
}

// A field of the file, little-endian; a read past the end throws, which fails the test.
const char* fieldAt(const QByteArray& bytes, qsizetype at, qsizetype size) {
    if (at < 0 || at + size > bytes.size())
        throw std::out_of_range("read past the end of the file");
    return bytes.constData() + at;
}
int byteAt(const QByteArray& bytes, qsizetype at) {
    return quint8(*fieldAt(bytes, at, 1));
}
qint64 le16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(fieldAt(bytes, at, 2));
}
qint64 le32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(fieldAt(bytes, at, 4));
}

int brightness(QRgb c) {
    return qRed(c) + qGreen(c) + qBlue(c);
}

TEST(Pictures, GeneratorReproducesTheCommittedFiles) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess generator;
    generator.start(QStringLiteral(QX_PICTUREGEN), {out.path()});
    ASSERT_TRUE(generator.waitForFinished(60000));
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    const auto both = [&](const char* name) {
        return std::pair{out.filePath(QLatin1String(name)),
                         QStringLiteral(QX_PICTURES_DIR "/") + QLatin1String(name)};
    };
    for (const char* name :
         {"search_raised.gif", "search_pressed.gif", "backdrop.bmp", "icon.ico"}) {
        const auto [made, committed] = both(name);
        EXPECT_TRUE(readFile(made) == readFile(committed))
            << name << ": regenerate with the `pictures` target and commit the result";
    }
    // PNG bytes depend on the zlib build; the pixels must not.
    for (const char* name : {"icon-32.png", "icon-128.png"}) {
        const auto [made, committed] = both(name);
        EXPECT_EQ(QImage(made), QImage(committed)) << name;
    }
}

TEST(Pictures, ButtonFacesAreOneFrameGif89aWithA256ColourTableAndNoTransparency) {
    for (const char* name : {"search_raised.gif", "search_pressed.gif"}) {
        SCOPED_TRACE(name);
        const QByteArray gif = readFile(QStringLiteral(":/pictures/") + QLatin1String(name));
        ASSERT_EQ(gif.left(6), "GIF89a");
        ASSERT_EQ(byteAt(gif, 10) & 0x87, 0x87) << "a global colour table of 256 entries";
        int frames = 0;
        bool transparency = false;
        for (qsizetype at = 13 + 3 * 256; byteAt(gif, at) != 0x3b;) {
            if (byteAt(gif, at) == 0x2c) { // image descriptor, local table, LZW code size
                ++frames;
                const int local = byteAt(gif, at + 9);
                at += 11 + ((local & 0x80) ? 3 * (2 << (local & 7)) : 0);
            } else {
                ASSERT_EQ(byteAt(gif, at), 0x21) << "unknown block at " << at;
                transparency |= byteAt(gif, at + 1) == 0xf9 && (byteAt(gif, at + 3) & 1);
                at += 2;
            }
            while (const qint64 length = byteAt(gif, at++))
                at += length;
        }
        EXPECT_EQ(frames, 1);
        EXPECT_FALSE(transparency);
    }
}

TEST(Pictures, PressedFaceIsLitFromBelowAndDrawsTheRaisedOneAPixelLower) {
    const QImage raised = resource("search_raised.gif");
    const QImage pressed = resource("search_pressed.gif");
    const int face = brightness(raised.pixel(50, 40));
    ASSERT_EQ(face, brightness(pressed.pixel(50, 41)));
    // top and left are lit when raised, bottom and right when pressed
    for (const auto& [at, litWhenRaised] : {std::pair{QPoint(32, 2), true},
                                            {QPoint(2, 24), true},
                                            {QPoint(32, 45), false},
                                            {QPoint(62, 24), false}}) {
        SCOPED_TRACE(testing::Message() << at.x() << "," << at.y());
        const int up = brightness(raised.pixel(at));
        const int down = brightness(pressed.pixel(at));
        EXPECT_TRUE(litWhenRaised ? up > face && down < face : up < face && down > face);
    }
    int shifted = 0, unshifted = 0;
    for (int y = 4; y < 42; ++y) {
        for (int x = 4; x < 61; ++x) {
            shifted += raised.pixel(x, y) != pressed.pixel(x, y + 1);
            unshifted += raised.pixel(x, y) != pressed.pixel(x, y);
        }
    }
    EXPECT_EQ(shifted, 0);
    EXPECT_GT(unshifted, 50) << "not merely the same picture twice";
}

TEST(Pictures, BackdropIsA24BitBitmapOfPanelSize) {
    const QByteArray bmp = readFile(QStringLiteral(":/pictures/backdrop.bmp"));
    EXPECT_EQ(bmp.left(2), "BM");
    EXPECT_EQ(le32(bmp, 14), 40); // BITMAPINFOHEADER
    EXPECT_EQ(le32(bmp, 18), 297);
    EXPECT_EQ(le32(bmp, 22), 73); // positive: bottom-up
    EXPECT_EQ(le16(bmp, 28), 24);
    EXPECT_EQ(le32(bmp, 30), 0); // uncompressed
}

// The picture lies at 360 × 930 twips; the frames' right and bottom edges (1245, 4605 and 1785
// twips) fall on picture columns 58 and 282 and row 56, the reading frame's left edge on 78.
TEST(Pictures, BackdropBoxOutlinesLieOnTheFrameEdges) {
    const QImage backdrop = resource("backdrop.bmp");
    for (int y = 8; y <= 48; y += 8) {
        SCOPED_TRACE(y);
        for (const int x : {58, 78, 282})
            EXPECT_EQ(backdrop.pixel(x, y), black) << x;
        for (const int x : {0, 57, 79, 281})
            EXPECT_EQ(backdrop.pixel(x, y), boxBlue) << x;
    }
    for (const int x : {10, 40, 100, 200, 270}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(backdrop.pixel(x, 0), boxBlue) << "boxes run up to the picture's top";
        EXPECT_EQ(backdrop.pixel(x, 55), boxBlue);
        EXPECT_EQ(backdrop.pixel(x, 56), black);
    }
    EXPECT_EQ(backdrop.pixel(77, 30), windowBlue) << "no shadow left of a box";
}

TEST(Pictures, IconIsOne32x32ImageOf256ColoursWithAMaskMatchingTheThemeIcon) {
    const QByteArray ico = readFile(QStringLiteral(":/pictures/icon.ico"));
    EXPECT_EQ(le16(ico, 2), 1); // icon
    ASSERT_EQ(le16(ico, 4), 1); // one image
    EXPECT_EQ(byteAt(ico, 6), 32);
    EXPECT_EQ(byteAt(ico, 7), 32);
    EXPECT_EQ(le16(ico, 12), 8); // bits per pixel
    const qint64 bitmap = le32(ico, 18);
    EXPECT_EQ(le32(ico, bitmap + 8), 64) << "colour bitmap and mask, stacked";
    EXPECT_EQ(le16(ico, bitmap + 14), 8);

    // The mask hides exactly what the theme's PNG leaves (mostly) transparent.
    const QImage icon = resource("icon.ico");
    const QImage png = resource("icon-32.png");
    int transparent = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            transparent += qAlpha(icon.pixel(x, y)) == 0;
            ASSERT_EQ(qAlpha(icon.pixel(x, y)) == 0, qAlpha(png.pixel(x, y)) < 128)
                << x << "," << y;
        }
    }
    EXPECT_GT(transparent, 32 * 32 / 2) << "a transparent ground";
    EXPECT_LT(transparent, 32 * 32 - 100) << "and symbols on it";
}

// ㄅ blue, ㄆ red, ㄇ green: each symbol's colour dominates its third of the diagonal.
TEST(Pictures, IconsShowBlueRedGreenFromTopLeftToBottomRight) {
    const auto loadPng128 = [] {
        return QImage(QStringLiteral(QX_PICTURES_DIR "/icon-128.png"))
            .convertToFormat(QImage::Format_ARGB32);
    };
    const std::pair<const char*, QImage> icons[] = {{"icon.ico", resource("icon.ico")},
                                                    {"icon-32.png", resource("icon-32.png")},
                                                    {"icon-128.png", loadPng128()}};
    for (const auto& [name, icon] : icons) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(icon.isNull());
        const int size = icon.width();
        EXPECT_EQ(qAlpha(icon.pixel(size - 1, 0)), 0) << "a transparent ground";
        int counts[3][3] = {}; // [third][blue, red, green]
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb c = icon.pixel(x, y);
                if (qAlpha(c) < 128)
                    continue;
                const int third = std::min(2, (x + y) * 3 / (2 * size));
                counts[third][0] += qBlue(c) > 140 && qBlue(c) - qRed(c) > 60;
                counts[third][1] += qRed(c) > 150 && qGreen(c) < 80 && qBlue(c) < 80;
                counts[third][2] += qGreen(c) > 90 && qRed(c) < 80 && qBlue(c) < 80;
            }
        }
        for (int third = 0; third < 3; ++third) {
            for (int other = 0; other < 3; ++other) {
                if (other != third) {
                    EXPECT_GT(counts[third][third], 2 * counts[third][other])
                        << "third " << third << " against colour " << other;
                }
            }
        }
    }
}

} // namespace
