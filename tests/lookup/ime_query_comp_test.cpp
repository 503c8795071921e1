#include "lookup/ReadingLookup.h"
#include "platform/codepage/Cp950.h"
#include "tests/lookup/ScriptedImm.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using qxtest::CallLog;
using qxtest::candidateList;
using qxtest::ScriptedImm;

QByteArray big5(const char16_t* text) {
    return codepage::toAnsi(QStringView(text));
}

class ImeQueryCompTest : public ::testing::Test {
protected:
    QString query(int nth = 1, const QString& word = QStringLiteral(u"行")) {
        return lookup::ImeQueryComp(ime, ScriptedImm::kIme, word, nth);
    }

    CallLog log;
    ScriptedImm ime{log};
};

TEST_F(ImeQueryCompTest, ReturnsTheNthStringOrNothing) {
    const struct {
        const char* name;
        int readings; // the list holds the first this many of ㄒㄧㄥˊ, ㄏㄤˊ
        int nth;
        const char16_t* expected;
    } rows[] = {
        {"OneOfOne", 1, 1, u"ㄒㄧㄥˊ"},  {"SecondOfOne", 1, 2, u""},
        {"SecondOfTwo", 2, 2, u"ㄏㄤˊ"}, {"ThirdOfTwo", 2, 3, u""},
        {"Zeroth", 2, 0, u""},           {"MostNegative", 2, std::numeric_limits<int>::min(), u""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ime.list = row.readings == 1 ? candidateList({big5(u"ㄒㄧㄥˊ")})
                                     : candidateList({big5(u"ㄒㄧㄥˊ"), big5(u"ㄏㄤˊ")});
        EXPECT_EQ(query(row.nth), QString::fromUtf16(row.expected));
    }
}

TEST_F(ImeQueryCompTest, AsksForKeyLimitSizeAndListWithTheTextInCodePage950) {
    ime.list = candidateList({big5(u"ㄓㄨㄥ")});
    EXPECT_EQ(lookup::ImeQueryComp(ime, ScriptedImm::kIme, QStringLiteral(u"中")),
              QStringLiteral(u"ㄓㄨㄥ"));
    EXPECT_EQ(log, (CallLog{"ImmEscapeA(e0080404, 0, 1005, \"\")",
                            "ImmGetConversionListA(e0080404, 0, 0, 2)",
                            "ImmGetConversionListA(e0080404, 0, " +
                                std::to_string(ime.list.size()) + ", 2)"}));
    EXPECT_EQ(ime.sources, (std::vector<QByteArray>{big5(u"中"), big5(u"中")}));
}

TEST_F(ImeQueryCompTest, NthBelowOneAsksTheImeNothing) {
    EXPECT_EQ(query(0), QString());
    EXPECT_TRUE(log.empty());
}

TEST_F(ImeQueryCompTest, NoKeyLimitAsksForNoListAndNoSizeMakesNoFetch) {
    ime.keyLimit = 0;
    EXPECT_EQ(query(), QString());
    EXPECT_EQ(log.size(), 1u);
    ime.keyLimit = 4;
    ime.sizeAnswer = -1;
    EXPECT_EQ(query(), QString());
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(ImeQueryCompTest, ListTooShortForItsCountFailsEvenWhenTheFetchFailed) {
    ime.list = QByteArray(10, '\0');
    ime.fetchAnswer = 0;
    EXPECT_THROW(query(), lookup::OutOfRangeError);
    ime.list = QByteArray(11, '\0'); // dwCount's last byte is the buffer's closing zero
    EXPECT_EQ(query(), QString());
}

TEST_F(ImeQueryCompTest, OffsetEntryOrStringPastTheBufferFails) {
    ime.list = candidateList({big5(u"ㄗˋ")});
    qxtest::putDword(ime.list, 24, static_cast<std::uint32_t>(ime.list.size() + 1));
    EXPECT_THROW(query(), lookup::OutOfRangeError);
    ime.list.truncate(26); // the entry's own last bytes lie outside
    EXPECT_THROW(query(), lookup::OutOfRangeError);
}

TEST_F(ImeQueryCompTest, StringWithoutZeroInTheWindowGivesTheWholeWindow) {
    ime.keyLimit = 2; // a window of 5 bytes
    ime.list = candidateList({QByteArrayLiteral("ABCDEFGH")});
    EXPECT_EQ(query(), QStringLiteral("ABCDE"));
}

TEST_F(ImeQueryCompTest, LastStringEndingAtTheBufferEndIsReadWhole) {
    ime.list = candidateList({big5(u"ㄏㄤˊ"), big5(u"ㄒㄧㄥˊ")});
    ime.list.chop(1); // no room for its terminator: the fetch buffer's own zero ends it
    EXPECT_EQ(query(2), QStringLiteral(u"ㄒㄧㄥˊ"));
}

TEST_F(ImeQueryCompTest, WindowThatOverflowsFailsBeforeTheStringIsRead) {
    ime.list = candidateList({big5(u"ㄗˋ")});
    ime.keyLimit = 0x40000000; // 2 × key limit is 2^31
    EXPECT_THROW(query(), lookup::OverflowError);
    ime.keyLimit = 4;
    qxtest::putDword(ime.list, 24, 0x7FFFFFF9); // past the buffer, and past 2^31 with the window
    EXPECT_THROW(query(), lookup::OverflowError);
}

TEST_F(ImeQueryCompTest, EmptyWordGoesToTheImeLikeAnyOther) {
    ime.list = candidateList({QByteArrayLiteral("X")});
    EXPECT_EQ(query(1, QString()), QStringLiteral("X"));
    EXPECT_EQ(ime.sources.front(), QByteArray(""));
}

} // namespace
