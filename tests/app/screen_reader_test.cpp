#include <QProcess>
#include <gtest/gtest.h>

namespace {

// The real window under Xvfb, read over AT-SPI as a screen reader reads it, through the script
// that prints the tree.
TEST(RealWindow, ScreenReaderHearsThePaintedItemsAndTheReadings) {
    QProcess script;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QX_BUILD_DIR"), QStringLiteral(QX_BUILD_DIR));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    script.setProcessEnvironment(env);
    script.start(QStringLiteral(QX_SOURCE_DIR "/scripts/accessible-tree.sh"),
                 {QStringLiteral("--press")});
    ASSERT_TRUE(script.waitForFinished(90000));
    const QString out = QString::fromUtf8(script.readAllStandardOutput());
    ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();

    for (const char* line : {
             R"([frame] "Quilldex 2")",
             R"([push button] "查詢"  actions: Press)",
             R"([text] "輸入文字")",
             R"([text] "分析結果")",
             R"([link] "進入官方站"  actions: Press)",
             // The press action lists the prompt, a line a character.
             R"(text: 24 lines, "請 ㄑㄧㄥˇ)",
             // Each key that moves the caret is heard as the new character and its reading.
             R"(Home: names changed: label "請", label "ㄑㄧㄥˇ")",
             R"(Right: names changed: label "在", label "ㄗㄞˋ")",
         })
        EXPECT_TRUE(out.contains(QString::fromUtf8(line))) << line << "\n" << out.toStdString();
    for (const char* absent : {"Label2", "11111", "[image]", "[filler] \"Quilldex"})
        EXPECT_FALSE(out.contains(QString::fromUtf8(absent))) << absent;
}

} // namespace
