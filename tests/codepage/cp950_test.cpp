#include "platform/codepage/Cp950.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <ostream>

namespace {

struct RoundTrip {
    const char* name;
    const char16_t* text;
    QByteArray bytes;
};

void PrintTo(const RoundTrip& c, std::ostream* os) {
    *os << c.name;
}

class Cp950RoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(Cp950RoundTrip, ConvertsBothWays) {
    const RoundTrip& c = GetParam();
    EXPECT_EQ(codepage::toAnsi(QStringView(c.text)), c.bytes);
    EXPECT_EQ(codepage::fromAnsi(c.bytes), QString::fromUtf16(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp950RoundTrip,
    ::testing::Values(RoundTrip{"Empty", u"", QByteArray()},
                      RoundTrip{"Ascii", u"Az09 ~", QByteArrayLiteral("Az09 ~")},
                      RoundTrip{"Hanzi", u"中文", QByteArrayLiteral("\xA4\xA4\xA4\xE5")},
                      RoundTrip{"Zhuyin", u"ㄓㄨㄥ", QByteArrayLiteral("\xA3\xA4\xA3\xB9\xA3\xB6")},
                      RoundTrip{"ToneMarks", u"˙ˊˇˋ",
                                QByteArrayLiteral("\xA3\xBB\xA3\xBD\xA3\xBE\xA3\xBF")},
                      RoundTrip{"Mixed", u"A中b",
                                QByteArrayLiteral("A\xA4\xA4"
                                                  "b")}),
    [](const auto& info) { return std::string(info.param.name); });

struct OneWay {
    const char* name;
    QString from;
    QByteArray to;
};

void PrintTo(const OneWay& c, std::ostream* os) {
    *os << c.name;
}

class Cp950Unmappable : public ::testing::TestWithParam<OneWay> {};

TEST_P(Cp950Unmappable, BecomesOneQuestionMarkPerCharacter) {
    EXPECT_EQ(codepage::toAnsi(GetParam().from), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp950Unmappable,
    ::testing::Values(OneWay{"Hangul", QStringLiteral(u"가中"), QByteArrayLiteral("?\xA4\xA4")},
                      OneWay{"OutsideTheBasicPlane", QStringLiteral(u"\U0001F600!"),
                             QByteArrayLiteral("?!")},
                      OneWay{"LoneHighSurrogate", QString(QChar(0xD83D)) + QLatin1Char('x'),
                             QByteArrayLiteral("?x")},
                      OneWay{"LoneLowSurrogate", QString(QChar(0xDE00)), QByteArrayLiteral("?")}),
    [](const auto& info) { return std::string(info.param.name); });

struct Decoding {
    const char* name;
    QByteArray from;
    const char16_t* to;
};

void PrintTo(const Decoding& c, std::ostream* os) {
    *os << c.name;
}

class Cp950BadBytes : public ::testing::TestWithParam<Decoding> {};

TEST_P(Cp950BadBytes, BecomeQuestionMarks) {
    EXPECT_EQ(codepage::fromAnsi(GetParam().from), QString::fromUtf16(GetParam().to));
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Cp950BadBytes,
    ::testing::Values(Decoding{"LeadByteAtTheEnd", QByteArrayLiteral("a\xA4"), u"a?"},
                      Decoding{"LeadByteBeforeNoTrailByte",
                               QByteArrayLiteral("\xA4"
                                                 "0"),
                               u"?0"},
                      Decoding{"PairWithoutCharacter", QByteArrayLiteral("\xA3\xC0z"), u"?z"},
                      Decoding{"ByteThatLeadsNothing",
                               QByteArrayLiteral("\xFF"
                                                 "b"),
                               u"?b"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cp950Test, SingleCharacterCodes) {
    EXPECT_EQ(codepage::ansiCode(U'中'), std::optional<std::uint16_t>(0xA4A4));
    EXPECT_EQ(codepage::ansiCode(U'A'), std::optional<std::uint16_t>(0x41));
    EXPECT_EQ(codepage::ansiCode(U'가'), std::nullopt);
    EXPECT_EQ(codepage::ansiCode(U'?'), std::optional<std::uint16_t>(0x3F));
    EXPECT_EQ(codepage::characterOf(0xA4A4), std::optional<char32_t>(U'中'));
    EXPECT_EQ(codepage::characterOf(0xFFFF), std::nullopt);
}

// The cache in front of iconv must give exactly what iconv gives, for every character and code.
class Iconv {
public:
    Iconv(const char* to, const char* from)
        : cd_(iconv_open(to, from)) {}
    ~Iconv() { iconv_close(cd_); }
    QByteArray convert(QByteArray in) {
        char out[16];
        char* inPtr = in.data();
        char* outPtr = out;
        std::size_t inLeft = in.size(), outLeft = sizeof out;
        const bool ok =
            iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return ok && inLeft == 0 ? QByteArray(out, sizeof out - outLeft) : QByteArray();
    }

private:
    iconv_t cd_;
};

TEST(Cp950Test, EncodesEveryBasicPlaneCharacterAsIconvDoes) {
    Iconv encoder("CP950", "UTF-16LE");
    int mismatches = 0;
    for (char32_t c = 1; c <= 0xFFFF && mismatches < 5; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        const char units[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        const QByteArray in(units, 2);
        QByteArray expected = encoder.convert(in);
        if (expected.isEmpty())
            expected = "?";
        const QByteArray actual = codepage::toAnsi(QString(QChar(static_cast<char16_t>(c))));
        if (actual != expected) {
            ++mismatches;
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c);
        }
    }
}

TEST(Cp950Test, DecodesEveryDoubleByteCodeAsIconvDoes) {
    Iconv decoder("UTF-16LE", "CP950");
    int mismatches = 0;
    for (int lead = 0x81; lead <= 0xFE && mismatches < 5; ++lead) {
        for (int trail :
             {0x40, 0x7E, 0xA1, 0xFE, (lead * 7) % 0x3F + 0x40, (lead * 5) % 0x5E + 0xA1}) {
            const char code[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const QByteArray in(code, 2);
            const QByteArray utf16 = decoder.convert(in);
            const QString expected =
                utf16.isEmpty()
                    ? QStringLiteral("?")
                    : QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16.data()),
                                         utf16.size() / 2);
            if (codepage::fromAnsi(in) != expected) {
                ++mismatches;
                ADD_FAILURE() << std::hex << lead << ' ' << trail;
            }
        }
    }
}

} // namespace
