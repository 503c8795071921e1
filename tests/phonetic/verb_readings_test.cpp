#include "platform/phonetic/VerbReadings.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

using phonetic::zhuyin::Phone;

// The readings after applyVerbReadings of `line`, its pieces separated by spaces, each character
// "-" where nothing was decided; as in context_rules_test.cpp.
std::string readingsAfter(const QString& line, const phonetic::VerbReadings& verbs) {
    std::u32string text;
    std::vector<phonetic::Word> pieces;
    for (const QString& word : line.split(u' ', Qt::SkipEmptyParts)) {
        const std::u32string characters = word.toStdU32String();
        pieces.push_back({text.size(), characters.size(),
                          characters.size() == 1 ? phonetic::Lexicon::kNone : 1u});
        text += characters;
    }
    std::vector<Phone> phones(text.size(), 0);
    phonetic::applyVerbReadings(text, pieces, phones, verbs);
    QStringList out;
    for (const Phone p : phones)
        out << (p == 0 ? QStringLiteral("-") : phonetic::zhuyin::toText(p));
    return out.join(u'/').toStdString();
}

// The built-in table, made from the phrase list's words of a verb and its marker.
TEST(VerbReadings, AVerbStandingAloneBeforeItsMarker) {
    const struct {
        const char* name;
        const char16_t* line;
        const char* readings;
    } rows[] = {
        {"BeforeADirectionThatEndsAWord", u"樹 長 出了 新芽", "-/ㄓㄤˇ/-/-/-/-"},
        {"BeforeADirectionAlone", u"撒 上 蔥花", "ㄙㄚˇ/-/-/-"},
        {"BeforeADirectionAndItsWay", u"鑽 進去", "ㄗㄨㄢ/-/-"},
        {"BeforeAspect", u"露 了 一手", "ㄌㄡˋ/-/-/-"},
        // A marker that begins a longer word is none (數上限, not 數上).
        {"NotBeforeAWordThatBeginsWithAMarker", u"行程 數 上限", "-/-/-/-/-"},
        {"NotBeforeADirectionAndMore", u"長 出來的", "-/-/-/-"},
        // 背上 ㄅㄟ and 背起 read both ways: too close to tell.
        {"NotWhereTheWordsDisagree", u"背 上", "-/-"},
        // 倒掉 pours or falls.
        {"NotForTwoVerbs", u"倒 掉", "-/-"},
        {"NotTooMuch", u"數 過 大", "-/-/-"},
        {"NotInsideAWord", u"長出 了", "-/-/-"},
        {"NotAtTheEnd", u"長", "-"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(readingsAfter(QString::fromUtf16(row.line), phonetic::VerbReadings::builtIn()),
                  row.readings)
            << row.name;
    }
}

TEST(VerbReadings, ParseSkipsWhatIsNoVerbAndReading) {
    const auto verbs = phonetic::VerbReadings::parse("# comment\n"
                                                     "長\tㄓㄤˇ\t出了\n"
                                                     "長\tㄔㄤˊ\t出\n" // named twice: the first
                                                     "量\tㄌ\t了\n"    // not a syllable
                                                     "量體\tㄌㄧㄤˊ\t了\n"
                                                     "撒\tㄙㄚˇ\n"); // no markers
    EXPECT_EQ(readingsAfter(QString::fromUtf16(u"長 出 長 了 量 了 撒 上"), verbs),
              "ㄓㄤˇ/-/ㄓㄤˇ/-/-/-/-/-");
}

} // namespace
