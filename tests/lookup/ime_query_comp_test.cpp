#include "lookup/ReadingLookup.h"
#include "platform/codepage/Cp950.h"
#include "tests/lookup/ScriptedImm.h"

#include <gtest/gtest.h>

#include <ostream>

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

// Which reading comes back for which nth, on lists of one and two readings.
struct PickCase {
    const char* name;
    std::vector<const char16_t*> readings;
    int nth;
    const char16_t* expected;
};

void PrintTo(const PickCase& c, std::ostream* os) {
    *os << c.name;
}

class ImeQueryCompPick : public ImeQueryCompTest, public ::testing::WithParamInterface<PickCase> {};

TEST_P(ImeQueryCompPick, ReturnsTheNthStringOrNothing) {
    const PickCase& c = GetParam();
    if (c.readings.size() == 1)
        ime.list = candidateList({big5(c.readings[0])});
    else
        ime.list = candidateList({big5(c.readings[0]), big5(c.readings[1])});
    EXPECT_EQ(query(c.nth), QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ImeQueryCompPick,
    ::testing::Values(PickCase{"OneReadingFirst", {u"ㄗˋ"}, 1, u"ㄗˋ"},
                      PickCase{"OneReadingSecond", {u"ㄗˋ"}, 2, u""},
                      PickCase{"TwoReadingsFirst", {u"ㄒㄧㄥˊ", u"ㄏㄤˊ"}, 1, u"ㄒㄧㄥˊ"},
                      PickCase{"TwoReadingsSecond", {u"ㄒㄧㄥˊ", u"ㄏㄤˊ"}, 2, u"ㄏㄤˊ"},
                      PickCase{"TwoReadingsThird", {u"ㄒㄧㄥˊ", u"ㄏㄤˊ"}, 3, u""},
                      PickCase{"ZerothIsNothing", {u"ㄒㄧㄥˊ", u"ㄏㄤˊ"}, 0, u""},
                      PickCase{"NegativeIsNothing", {u"ㄒㄧㄥˊ", u"ㄏㄤˊ"}, -1, u""},
                      PickCase{"FarNegativeIsNothing",
                               {u"ㄒㄧㄥˊ", u"ㄏㄤˊ"},
                               std::numeric_limits<int>::min(),
                               u""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImeQueryCompTest, LeavingNthOutAsksForTheFirst) {
    ime.list = candidateList({big5(u"ㄒㄧㄥˊ"), big5(u"ㄏㄤˊ")});
    EXPECT_EQ(lookup::ImeQueryComp(ime, ScriptedImm::kIme, QStringLiteral(u"行")),
              QStringLiteral(u"ㄒㄧㄥˊ"));
}

TEST_F(ImeQueryCompTest, MakesTheThreeCallsWithTheArgumentsTheImeExpects) {
    ime.list = candidateList({big5(u"ㄓㄨㄥ")});
    const auto size = std::to_string(ime.list.size());
    EXPECT_EQ(query(1, QStringLiteral(u"中")), QStringLiteral(u"ㄓㄨㄥ"));
    EXPECT_EQ(log,
              (CallLog{"ImmEscapeA(e0080404, 0, 1005)", "ImmGetConversionListA(e0080404, 0, 0, 2)",
                       "ImmGetConversionListA(e0080404, 0, " + size + ", 2)"}));
    EXPECT_EQ(ime.escapeDataEmpty, std::vector<bool>{true});
    EXPECT_EQ(ime.sources, (std::vector<QByteArray>{big5(u"中"), big5(u"中")}));
    EXPECT_EQ(ime.destinationGiven, (std::vector<bool>{true, true}));
}

TEST_F(ImeQueryCompTest, NthBelowOneAsksTheImeNothing) {
    ime.list = candidateList({big5(u"ㄗˋ")});
    EXPECT_EQ(query(0), QString());
    EXPECT_TRUE(log.empty());
}

TEST_F(ImeQueryCompTest, NoKeyLimitAsksForNoList) {
    for (const std::int32_t limit : {0, -1}) {
        log.clear();
        ime.keyLimit = limit;
        ime.list = candidateList({big5(u"ㄗˋ")});
        EXPECT_EQ(query(), QString()) << limit;
        EXPECT_EQ(log, CallLog{"ImmEscapeA(e0080404, 0, 1005)"}) << limit;
    }
}

TEST_F(ImeQueryCompTest, NoListSizeMakesNoFetch) {
    for (const std::int32_t size : {0, -5}) {
        log.clear();
        ime.list = candidateList({big5(u"ㄗˋ")});
        ime.sizeAnswer = size;
        EXPECT_EQ(query(), QString()) << size;
        EXPECT_EQ(log.size(), 2u) << size;
    }
}

TEST_F(ImeQueryCompTest, FailedFetchGivesNothing) {
    ime.list = candidateList({big5(u"ㄗˋ")});
    ime.fetchAnswer = 0;
    EXPECT_EQ(query(), QString());
}

TEST_F(ImeQueryCompTest, ListTooShortForItsCountFailsEvenWhenTheFetchFailed) {
    ime.list = QByteArray(10, '\0');
    ime.fetchAnswer = 0;
    EXPECT_THROW(query(), lookup::OutOfRangeError);

    ime.list = QByteArray(11, '\0'); // dwCount's last byte is the buffer's closing zero
    EXPECT_EQ(query(), QString());
}

TEST_F(ImeQueryCompTest, OffsetEntryPastTheBufferFails) {
    ime.list = candidateList({big5(u"ㄗˋ")});
    qxtest::putDword(ime.list, 8, 40); // claims far more strings than the list holds
    ime.list.truncate(26);             // the first entry's last bytes lie outside
    EXPECT_THROW(query(1), lookup::OutOfRangeError);
}

TEST_F(ImeQueryCompTest, StringStartPastTheBufferFails) {
    ime.list = candidateList({big5(u"ㄗˋ")});
    qxtest::putDword(ime.list, 24, static_cast<std::uint32_t>(ime.list.size() + 1));
    EXPECT_THROW(query(), lookup::OutOfRangeError);
}

TEST_F(ImeQueryCompTest, StringStartingAtTheClosingZeroIsEmpty) {
    ime.list = candidateList({big5(u"ㄗˋ")});
    qxtest::putDword(ime.list, 24, static_cast<std::uint32_t>(ime.list.size()));
    EXPECT_EQ(query(), QString());
}

TEST_F(ImeQueryCompTest, StringWithoutZeroInTheWindowGivesTheWholeWindow) {
    ime.keyLimit = 2; // window of 5 bytes
    ime.list = candidateList({QByteArrayLiteral("ABCDEFGH")});
    EXPECT_EQ(query(), QStringLiteral("ABCDE"));
}

TEST_F(ImeQueryCompTest, ReadingShorterThanTheWindowComesBackExactly) {
    ime.list = candidateList({big5(u"ㄗˋ"), QByteArrayLiteral("XYZ")});
    EXPECT_EQ(query(), QStringLiteral(u"ㄗˋ"));
}

TEST_F(ImeQueryCompTest, LastStringEndingAtTheBufferEndIsReadWhole) {
    ime.list = candidateList({big5(u"ㄏㄤˊ"), big5(u"ㄒㄧㄥˊ")});
    ime.list.chop(1); // no room for its terminator: the fetch buffer's own zero ends it
    EXPECT_EQ(query(2), QStringLiteral(u"ㄒㄧㄥˊ"));
}

TEST_F(ImeQueryCompTest, WindowThatOverflowsFails) {
    ime.list = candidateList({big5(u"ㄗˋ")});
    ime.keyLimit = 0x40000000; // 2 × key limit is 2^31
    EXPECT_THROW(query(), lookup::OverflowError);

    ime.keyLimit = 0x3FFFFFFF; // 2 × key limit fits; adding the string's start does not
    EXPECT_THROW(query(), lookup::OverflowError);
}

TEST_F(ImeQueryCompTest, OverflowIsFoundBeforeTheStringIsRead) {
    ime.list = candidateList({big5(u"ㄗˋ")});
    qxtest::putDword(ime.list, 24, 0x7FFFFFF9);
    EXPECT_THROW(query(), lookup::OverflowError);
}

TEST_F(ImeQueryCompTest, EmptyWordGoesToTheImeLikeAnyOther) {
    ime.list = candidateList({QByteArrayLiteral("X")});
    EXPECT_EQ(query(1, QString()), QStringLiteral("X"));
    EXPECT_EQ(ime.sources, (std::vector<QByteArray>{QByteArray(""), QByteArray("")}));
}

TEST_F(ImeQueryCompTest, FailuresAreLookupErrors) {
    ime.list = QByteArray(4, '\0');
    EXPECT_THROW(query(), lookup::LookupError);
}

} // namespace
