#include "platform/imm/PhraseTree.h"
#include "tests/imm/PhraseListBuilder.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <functional>

namespace {

using imm::zhuyin::makePhone;
using imm::zhuyin::Phone;
using qxtest::Phrase;

// ㄒㄧㄥˊ ㄏㄤˊ ㄧㄣˊ ㄖㄣˊ ㄌㄩˇ, and the sandhi pair of 一 with 個's neutral tone.
const Phone xing2 = makePhone(14, 1, 12, 2);
const Phone hang2 = makePhone(11, 0, 11, 2);
const Phone yin2 = makePhone(0, 1, 10, 2);
const Phone ren2 = makePhone(18, 0, 10, 2);
const Phone lv3 = makePhone(8, 3, 0, 3);
const Phone yi1 = makePhone(0, 1, 0, 0);
const Phone yi2 = makePhone(0, 1, 0, 2);
const Phone ge5 = makePhone(9, 0, 3, 1);
const Phone toneMark = makePhone(0, 0, 0, 2); // the bare tone that files "ˊ" itself

std::vector<Phrase> samplePhrases() {
    return {
        {{xing2}, QStringLiteral(u"行"), 0},
        {{hang2}, QStringLiteral(u"行"), 0},
        {{yin2}, QStringLiteral(u"銀"), 0},
        {{ren2}, QStringLiteral(u"人"), 0},
        {{lv3}, QStringLiteral(u"旅"), 0},
        {{yi1}, QStringLiteral(u"一"), 0},
        {{yi2}, QStringLiteral(u"一"), 0},
        {{ge5}, QStringLiteral(u"個"), 0},
        {{toneMark}, QStringLiteral(u"ˊ"), 0},
        {{yin2, hang2}, QStringLiteral(u"銀行"), 100},
        {{xing2, ren2}, QStringLiteral(u"行人"), 50},
        {{lv3, xing2}, QStringLiteral(u"旅行"), 30},
        {{lv3, xing2, ren2}, QStringLiteral(u"旅行人"), 0}, // a phrase without frequency
        {{yi1, ge5}, QStringLiteral(u"一個"), 65},
        {{yi2, ge5}, QStringLiteral(u"一個"), 65}, // the same phrase under 一's other reading
    };
}

const imm::ReadingUsage* find(const imm::PhraseTreeSummary& summary, char32_t c, Phone phone) {
    for (const imm::ReadingUsage& u : summary.usage) {
        if (u.character == c && u.phone == phone)
            return &u;
    }
    return nullptr;
}

TEST(PhraseTreeTest, SumsEachReadingOverThePhrasesThatUseIt) {
    const auto bytes = qxtest::buildPhraseList(samplePhrases());
    const auto summary = imm::summarisePhraseTree(bytes.tree, bytes.text);
    ASSERT_TRUE(summary);

    const auto* xing = find(*summary, U'行', xing2);
    ASSERT_TRUE(xing);
    EXPECT_EQ(xing->weight, 80u);            // 行人 + 旅行
    EXPECT_EQ(xing->wordInitialWeight, 50u); // 行人 alone begins with it
    const auto* hang = find(*summary, U'行', hang2);
    ASSERT_TRUE(hang);
    EXPECT_EQ(hang->weight, 100u);
    EXPECT_EQ(hang->wordInitialWeight, 0u);
}

TEST(PhraseTreeTest, PhraseFiledUnderTwoReadingsOfAnotherCharacterCountsOnce) {
    const auto bytes = qxtest::buildPhraseList(samplePhrases());
    const auto summary = imm::summarisePhraseTree(bytes.tree, bytes.text);
    ASSERT_TRUE(summary);
    EXPECT_EQ(find(*summary, U'個', ge5)->weight, 65u);
    EXPECT_EQ(find(*summary, U'一', yi1)->weight, 65u);
    EXPECT_EQ(find(*summary, U'一', yi2)->weight, 65u);
}

TEST(PhraseTreeTest, ListsEachCharactersReadingsTogetherInSyllableOrder) {
    const auto bytes = qxtest::buildPhraseList(samplePhrases());
    const auto summary = imm::summarisePhraseTree(bytes.tree, bytes.text);
    ASSERT_TRUE(summary);
    std::vector<std::pair<char32_t, Phone>> listed;
    for (const auto& u : summary->usage)
        listed.emplace_back(u.character, u.phone);
    ASSERT_EQ(listed.size(), 8u); // the bare tone's mark is not a reading
    std::vector<char32_t> finished;
    for (std::size_t i = 1; i < listed.size(); ++i) {
        if (listed[i].first == listed[i - 1].first) {
            EXPECT_LT(listed[i - 1].second, listed[i].second);
            continue;
        }
        finished.push_back(listed[i - 1].first);
        EXPECT_EQ(std::count(finished.begin(), finished.end(), listed[i].first), 0)
            << "a character's readings are split";
    }
}

TEST(PhraseTreeTest, CheckGivesTheSyllablesOfTheFirstLevel) {
    const auto bytes = qxtest::buildPhraseList(samplePhrases());
    const auto syllables = imm::checkPhraseTree(bytes.tree, bytes.text);
    ASSERT_TRUE(syllables);
    EXPECT_EQ(*syllables, (std::vector<Phone>{yi1, yi2, yin2, lv3, ge5, hang2, xing2, ren2}));
}

// A damaged list is refused whole. Damage that would let the engine read outside its files is
// found by the quick check as well; the rest only by the full walk.
struct Damage {
    const char* name;
    bool engineUnsafe;
    std::function<void(qxtest::PhraseListBytes&)> apply;
};

void PrintTo(const Damage& c, std::ostream* os) {
    *os << c.name;
}

class PhraseTreeDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(PhraseTreeDamage, IsRefused) {
    auto bytes = qxtest::buildPhraseList(samplePhrases());
    GetParam().apply(bytes);
    EXPECT_FALSE(imm::summarisePhraseTree(bytes.tree, bytes.text));
    EXPECT_EQ(imm::checkPhraseTree(bytes.tree, bytes.text).has_value(), !GetParam().engineUnsafe);
}

const std::vector<Phone> kHangPath{hang2};
const std::vector<Phone> kXingPath{xing2};

INSTANTIATE_TEST_SUITE_P(
    Files, PhraseTreeDamage,
    ::testing::Values(Damage{"PartNode", true, [](auto& b) { b.tree.append("\1\2\3"); }},
                      Damage{"EmptyTree", true, [](auto& b) { b.tree.clear(); }},
                      Damage{"EmptyText", true, [](auto& b) { b.text.clear(); }},
                      Damage{"TextNotZeroTerminated", true, [](auto& b) { b.text.append('x'); }},
                      Damage{"ChildRangePastTheEnd", true,
                             [](auto& b) {
                                 const auto n = static_cast<std::uint32_t>(b.tree.size() / 8);
                                 b.setNode(0, 0, 1, n + 1);
                             }},
                      Damage{"ChildRangeReversed", true,
                             [](auto& b) {
                                 const auto at = b.nodeAt.at(kHangPath);
                                 b.setNode(at, hang2, b.field(at, 1), b.field(at, 0));
                             }},
                      Damage{"ChildrenBeforeTheirParent", true,
                             [](auto& b) {
                                 const auto at = b.nodeAt.at(kHangPath);
                                 b.setNode(at, hang2, at, b.field(at, 1));
                             }},
                      Damage{"PhraseOffsetPastTheText", true,
                             [](auto& b) {
                                 const auto at = b.leafAt.at(QStringLiteral(u"銀行"));
                                 b.setNode(at, 0, static_cast<std::uint32_t>(b.text.size()), 100);
                             }},
                      Damage{"PhraseLongerThanItsPath", false,
                             [](auto& b) {
                                 const auto at = b.leafAt.at(QStringLiteral(u"人"));
                                 b.setNode(at, 0, b.textAt.at(QStringLiteral(u"行人")), 0);
                             }},
                      Damage{
                          "PhraseNotUtf8", false,
                          [](auto& b) { b.text[b.textAt.at(QStringLiteral(u"銀行"))] = '\xFF'; }},
                      Damage{"SiblingsOutOfOrder", false,
                             [](auto& b) {
                                 const auto first = b.nodeAt.at(kHangPath);
                                 const auto second = b.nodeAt.at(kXingPath);
                                 const QByteArray a = b.tree.mid(8 * first, 8);
                                 b.tree.replace(8 * first, 8, b.tree.mid(8 * second, 8));
                                 b.tree.replace(8 * second, 8, a);
                             }},
                      Damage{"NodeReachedTwice", false,
                             [](auto& b) {
                                 const auto xing = b.nodeAt.at(kXingPath);
                                 const auto hang = b.nodeAt.at(kHangPath);
                                 b.setNode(xing, xing2, b.field(hang, 0), b.field(hang, 1));
                             }},
                      Damage{"InvalidPhone", false,
                             [](auto& b) {
                                 const auto at = b.nodeAt.at(kHangPath);
                                 b.setNode(at, 0xFFFF, b.field(at, 0), b.field(at, 1));
                             }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PhraseTreeTest, PhraseLongerThanTheEngineTakesIsRefused) {
    std::vector<Phrase> phrases = samplePhrases();
    phrases.push_back({std::vector<Phone>(12, xing2), QString(12, QChar(u'行')), 1});
    const auto bytes = qxtest::buildPhraseList(phrases);
    EXPECT_FALSE(imm::summarisePhraseTree(bytes.tree, bytes.text));
}

} // namespace
