#include "platform/phonetic/ReadingOrder.h"
#include "platform/phonetic/Zhuyin.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

namespace zhuyin = phonetic::zhuyin;

TEST(ZhuyinTest, TextSpellsBackEveryPhone) {
    int phones = 0;
    for (int code = 0; code <= 0xFFFF; ++code) {
        const auto p = static_cast<zhuyin::Phone>(code);
        if (!zhuyin::isPhone(p))
            continue;
        ++phones;
        ASSERT_EQ(zhuyin::fromText(zhuyin::toText(p)), p) << code;
    }
    EXPECT_EQ(phones, 22 * 4 * 14 * 5 - 1); // every combination but the empty one
    for (const char16_t* text : {u"", u"ㄓㄨㄥˊˊ", u"ㄨㄓ", u"ㄓ ", u"中", u"ˊㄓ"})
        EXPECT_EQ(zhuyin::fromText(QStringView(text)), std::nullopt)
            << QString::fromUtf16(text).toStdString();
}

TEST(ZhuyinTest, OnlyMandarinsSyllablesAreWellFormed) {
    for (const char16_t* text : {u"ㄓ", u"ㄙ˙", u"ㄐㄧ", u"ㄑㄩㄝˋ", u"ㄈㄧㄠ", u"ㄋㄩˇ", u"ㄦˊ",
                                 u"ㄝ", u"ㄅㄧㄝ", u"ㄨㄥ", u"ㄌㄛ˙", u"ㄇㄜ˙"})
        EXPECT_TRUE(zhuyin::isWellFormed(*zhuyin::fromText(QStringView(text))))
            << QString::fromUtf16(text).toStdString();
    for (const char16_t* text : {u"ㄑ", u"ㄑ˙", u"ㄐㄨ", u"ㄒㄢ", u"ㄍㄧ", u"ㄓㄩ", u"ㄅㄩ", u"ㄅ",
                                 u"ㄌˋ", u"ㄌㄦ", u"ㄧㄦ", u"ㄉㄝ", u"ˊ"})
        EXPECT_FALSE(zhuyin::isWellFormed(*zhuyin::fromText(QStringView(text))))
            << QString::fromUtf16(text).toStdString();
}

TEST(ReadingOrderTest, FileNamesLeadingReadingsByCharacter) {
    const auto order = phonetic::ReadingOrder::parse(
        QByteArrayView("# heading\n\n長 ㄔㄤˊ\n假  ㄐㄧㄚˇ ㄐㄧㄚˋ\r\n胠 ㄑ ㄑㄩ\n中文 ㄓㄨㄥ\n長 "
                       "ㄓㄤˇ\n啐 ㄑ˙\n"));
    const auto readings = [&](char32_t c) {
        QStringList texts;
        for (const auto phone : order.leadingReadings(c))
            texts << zhuyin::toText(phone);
        return texts.join(QLatin1Char(' ')).toStdString();
    };
    EXPECT_EQ(readings(U'長'), "ㄔㄤˊ"); // the first line for a character counts
    EXPECT_EQ(readings(U'假'), "ㄐㄧㄚˇ ㄐㄧㄚˋ");
    EXPECT_EQ(readings(U'胠'), "ㄑㄩ"); // not a syllable: skipped
    EXPECT_EQ(readings(U'中'), "");
    EXPECT_EQ(readings(U'啐'), "");
    EXPECT_EQ(order.characterCount(), 3u);
    EXPECT_GT(phonetic::ReadingOrder::builtIn().characterCount(), 1000u);
}

} // namespace
