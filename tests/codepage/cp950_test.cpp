#include "platform/codepage/Cp950.h"

#include <gtest/gtest.h>

#include <iconv.h>

namespace {

// What the character-by-character sweep against iconv below does not reach: whole texts, both
// ways, UTF-16 that is not one BMP character, and bytes that name no character.
TEST(Cp950Test, ConvertsTextOneCharacterToOneCode) {
    enum Way { Both, ToAnsi, FromAnsi };
    const struct {
        const char* name;
        QString text;
        QByteArray bytes;
        Way way;
    } rows[] = {
        {"HanziAmongAscii", QStringLiteral(u"A中b~"), QByteArrayLiteral("A\xA4\xA4\x62~"), Both},
        {"ZhuyinAndTones", QStringLiteral(u"ㄓ˙ˊˇˋ"),
         QByteArrayLiteral("\xA3\xA4\xA3\xBB\xA3\xBD\xA3\xBE\xA3\xBF"), Both},
        {"PairIsOneCharacter", QStringLiteral(u"\U0001F600!"), QByteArrayLiteral("?!"), ToAnsi},
        {"LoneSurrogate", QString(QChar(0xD83D)) + QLatin1Char('x'), QByteArrayLiteral("?x"),
         ToAnsi},
        {"LeadByteAtTheEnd", QStringLiteral("a?"), QByteArrayLiteral("a\xA4"), FromAnsi},
        {"NoTrailByteAfterTheLead", QStringLiteral("?0"), QByteArrayLiteral("\xA4\x30"), FromAnsi},
        {"PairWithoutCharacter", QStringLiteral("?z"), QByteArrayLiteral("\xA3\xC0z"), FromAnsi},
        {"NoLeadByte", QStringLiteral("?b"), QByteArrayLiteral("\xFF\x62"), FromAnsi}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.way != FromAnsi) {
            EXPECT_EQ(codepage::toAnsi(row.text), row.bytes);
        }
        if (row.way != ToAnsi) {
            EXPECT_EQ(codepage::fromAnsi(row.bytes), row.text);
        }
    }
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
