#include "platform/codepage/Cp950.h"

#include <gtest/gtest.h>

#include <iconv.h>

namespace {

TEST(Cp950Test, ConvertsTextOneCharacterToOneCode) {
    const struct {
        const char* name;
        QString text;
        QByteArray bytes;
        bool bothWays; // else only text to bytes
    } rows[] = {
        {"Ascii", QStringLiteral("Az09 ~"), QByteArrayLiteral("Az09 ~"), true},
        {"HanziAmongAscii", QStringLiteral(u"A中b"),
         QByteArrayLiteral("A\xA4\xA4"
                           "b"),
         true},
        {"ZhuyinAndTones", QStringLiteral(u"ㄓ˙ˊˇˋ"),
         QByteArrayLiteral("\xA3\xA4\xA3\xBB\xA3\xBD\xA3\xBE\xA3\xBF"), true},
        {"HangulIsUnmappable", QStringLiteral(u"가中"), QByteArrayLiteral("?\xA4\xA4"), false},
        {"PairIsOneCharacter", QStringLiteral(u"\U0001F600!"), QByteArrayLiteral("?!"), false},
        {"LoneSurrogate", QString(QChar(0xD83D)) + QLatin1Char('x'), QByteArrayLiteral("?x"),
         false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(codepage::toAnsi(row.text), row.bytes);
        if (row.bothWays) {
            EXPECT_EQ(codepage::fromAnsi(row.bytes), row.text);
        }
    }
}

TEST(Cp950Test, BytesThatNameNoCharacterBecomeQuestionMarks) {
    EXPECT_EQ(codepage::fromAnsi("a\xA4"), QStringLiteral("a?")); // lead byte at the end
    EXPECT_EQ(codepage::fromAnsi("\xA4"
                                 "0"),
              QStringLiteral("?0"));                                  // no trail byte after it
    EXPECT_EQ(codepage::fromAnsi("\xA3\xC0z"), QStringLiteral("?z")); // a pair without character
    EXPECT_EQ(codepage::fromAnsi("\xFF"
                                 "b"),
              QStringLiteral("?b"));
}

// The cache in front of iconv must answer exactly as iconv does.
QByteArray viaIconv(const char* to, const char* from, QByteArray in) {
    const iconv_t cd = iconv_open(to, from);
    char out[16];
    char* inPtr = in.data();
    char* outPtr = out;
    std::size_t inLeft = in.size(), outLeft = sizeof out;
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    return ok && inLeft == 0 ? QByteArray(out, sizeof out - outLeft) : QByteArray("?");
}

TEST(Cp950Test, AgreesWithIconvOnEveryCharacterAndLeadByte) {
    int mismatches = 0;
    for (char16_t c = 1; c < 0xD800 && mismatches < 5; ++c) {
        const char units[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        const QByteArray expected = viaIconv("CP950", "UTF-16LE", QByteArray(units, 2));
        if (codepage::toAnsi(QString(QChar(c))) != expected) {
            ++mismatches;
            ADD_FAILURE() << "U+" << std::hex << static_cast<int>(c);
        }
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        const char code[2] = {static_cast<char>(lead), static_cast<char>(0xA1 + lead % 0x5E)};
        const QByteArray utf16 = viaIconv("UTF-16LE", "CP950", QByteArray(code, 2));
        const QString expected =
            utf16 == "?" ? QStringLiteral("?")
                         : QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16.data()), 1);
        EXPECT_EQ(codepage::fromAnsi(QByteArray(code, 2)), expected) << std::hex << lead;
    }
}

} // namespace
