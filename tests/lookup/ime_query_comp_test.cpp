#include "lookup/ReadingLookup.h"
#include "platform/codepage/Cp950.h"
#include "tests/support/ScriptedImm.h"

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
    const QByteArray one = candidateList({big5(u"ㄒㄧㄥˊ")});
    const QByteArray two = candidateList({big5(u"ㄒㄧㄥˊ"), big5(u"ㄏㄤˊ")});
    const struct {
        const char* name;
        QByteArray list;
        int nth;
        const char16_t* expected;
        int keyLimit = 4;
        QString word = QStringLiteral(u"行");
    } rows[] = {
        {"OneOfOne", one, 1, u"ㄒㄧㄥˊ"},
        {"SecondOfOne", one, 2, u""},
        {"SecondOfTwo", two, 2, u"ㄏㄤˊ"},
        {"ThirdOfTwo", two, 3, u""},
        // The fetch buffer's own zero ends a last string that has no room for its terminator.
        {"LastStringEndsAtTheBufferEnd", two.chopped(1), 2, u"ㄏㄤˊ"},
        {"NoZeroInTheWindowGivesTheWholeWindow", candidateList({"ABCDEFGH"}), 1, u"ABCDE", 2},
        {"EmptyWordGoesToTheIme", candidateList({"X"}), 1, u"X", 4, QString()}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ime.list = row.list;
        ime.keyLimit = row.keyLimit;
        EXPECT_EQ(query(row.nth, row.word), QString::fromUtf16(row.expected));
    }
}

TEST_F(ImeQueryCompTest, AsksForKeyLimitSizeAndListWithTheTextInCodePage950) {
    ime.list = candidateList({big5(u"ㄓㄨㄥ")});
    EXPECT_EQ(query(1, QStringLiteral(u"中")), QStringLiteral(u"ㄓㄨㄥ"));
    EXPECT_EQ(log, (CallLog{"ImmEscapeA(e0080404, 0, 1005, \"\")",
                            "ImmGetConversionListA(e0080404, 0, 0, 2)",
                            "ImmGetConversionListA(e0080404, 0, " +
                                std::to_string(ime.list.size()) + ", 2)"}));
    EXPECT_EQ(ime.sources, (std::vector<QByteArray>{big5(u"中"), big5(u"中")}));
}

TEST_F(ImeQueryCompTest, AsksNoFurtherOnceAnAnswerRulesOutAReading) {
    for (const int nth : {0, std::numeric_limits<int>::min()})
        EXPECT_EQ(query(nth), QString()) << nth;
    EXPECT_TRUE(log.empty()) << "nth below one asks the IME nothing";
    ime.keyLimit = 0;
    EXPECT_EQ(query(), QString());
    EXPECT_EQ(log.size(), 1u) << "no key limit: no list asked for";
    ime.keyLimit = 4;
    ime.sizeAnswer = -1;
    EXPECT_EQ(query(), QString());
    EXPECT_EQ(log.size(), 3u) << "no size: no fetch";
}

TEST_F(ImeQueryCompTest, ListThatCannotHoldTheStringFails) {
    ime.list = QByteArray(10, '\0'); // too short for its count, even when the fetch failed
    ime.fetchAnswer = 0;
    EXPECT_THROW(query(), lookup::OutOfRangeError);
    ime.list = QByteArray(11, '\0'); // dwCount's last byte is the buffer's closing zero
    EXPECT_EQ(query(), QString());
    ime.fetchAnswer.reset();

    ime.list = candidateList({big5(u"ㄗˋ")});
    qToLittleEndian<std::uint32_t>(static_cast<std::uint32_t>(ime.list.size() + 1),
                                   ime.list.data() + imm::candidatelist::kOffsets);
    EXPECT_THROW(query(), lookup::OutOfRangeError); // the string lies past the buffer
    ime.list.truncate(26);                          // the offset entry's own last bytes do
    EXPECT_THROW(query(), lookup::OutOfRangeError);

    // A window that overflows fails before the string is read.
    ime.list = candidateList({big5(u"ㄗˋ")});
    ime.keyLimit = 0x40000000; // 2 × key limit is 2^31
    EXPECT_THROW(query(), lookup::OverflowError);
    ime.keyLimit = 4;
    qToLittleEndian<std::uint32_t>(
        0x7FFFFFF9,
        ime.list.data() +
            imm::candidatelist::kOffsets); // past the buffer, and past 2^31 with the window
    EXPECT_THROW(query(), lookup::OverflowError);
}

} // namespace
