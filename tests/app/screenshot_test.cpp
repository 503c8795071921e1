#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The real window on a virtual X display, through the same script that makes the README's
// picture.
TEST(RealWindow, ScreenshotShowsTheLaidOutWindow) {
    QTemporaryDir dir;
    const QString shot = dir.filePath(QStringLiteral("window.png"));
    QProcess script;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QX_BUILD_DIR"), QStringLiteral(QX_BUILD_DIR));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    script.setProcessEnvironment(env);
    script.start(QStringLiteral(QX_SOURCE_DIR "/scripts/screenshot.sh"), {shot});
    ASSERT_TRUE(script.waitForFinished(60000));
    ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();

    const QImage image(shot);
    ASSERT_EQ(image.size(), QSize(502, 177));
    const auto at = [&](int x, int y) { return image.pixelColor(x, y).rgb() & 0xffffff; };
    EXPECT_EQ(at(250, 170), 0x8EABFFu) << "window background";
    EXPECT_EQ(at(17, 34), 0xFFFFFFu) << "input frame";
    EXPECT_EQ(at(50, 90), 0x0000C0u) << "character label";
    EXPECT_EQ(at(200, 100), 0x0000C0u) << "reading label";
    EXPECT_EQ(at(400, 150), 0xFFC66Bu) << "output box";
    // The prompt is drawn in the input box: dark pixels among the white.
    int dark = 0;
    for (int x = 18; x < 407; ++x)
        for (int y = 26; y < 42; ++y)
            dark += image.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(dark, 300);
}

} // namespace
