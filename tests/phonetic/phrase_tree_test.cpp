#include "platform/phonetic/PhraseTree.h"
#include "tests/support/PhraseListBuilder.h"

#include <gtest/gtest.h>

namespace {

using phonetic::zhuyin::makePhone;
using qxtest::Phone;

const Phone xing2 = makePhone(14, 1, 12, 2); // ㄒㄧㄥˊ
const Phone hang2 = makePhone(11, 0, 11, 2); // ㄏㄤˊ
const Phone yin2 = makePhone(0, 1, 10, 2);   // ㄧㄣˊ
const Phone ren2 = makePhone(18, 0, 10, 2);  // ㄖㄣˊ
const Phone yi1 = makePhone(0, 1, 0, 0);     // ㄧ
const Phone yi2 = makePhone(0, 1, 0, 2);     // ㄧˊ
const Phone ge5 = makePhone(9, 0, 3, 1);     // ㄍㄜ˙

qxtest::PhraseListBytes sample() {
    static const std::vector<qxtest::Phrase> phrases{
        {{xing2}, QStringLiteral(u"行")},
        {{hang2}, QStringLiteral(u"行")},
        {{yin2}, QStringLiteral(u"銀")},
        {{ren2}, QStringLiteral(u"人")},
        {{yi1}, QStringLiteral(u"一")},
        {{yi2}, QStringLiteral(u"一")},
        {{ge5}, QStringLiteral(u"個")},
        {{makePhone(0, 0, 0, 2)}, QStringLiteral(u"ˊ")}, // a bare tone files the mark itself
        {{yin2, hang2}, QStringLiteral(u"銀行"), 100},
        {{xing2, ren2}, QStringLiteral(u"行人"), 50},
        {{ren2, xing2}, QStringLiteral(u"人行"), 30},
        {{yi1, ge5}, QStringLiteral(u"一個"), 65},
        {{yi2, ge5}, QStringLiteral(u"一個"), 65}, // the same phrase under 一's other reading
    };
    return qxtest::buildPhraseList(phrases);
}

TEST(PhraseTreeTest, SumsEachReadingOverThePhrasesThatUseIt) {
    const auto bytes = sample();
    const auto summary = phonetic::summarisePhraseTree(bytes.tree, bytes.text);
    ASSERT_TRUE(summary);
    std::map<std::pair<char32_t, Phone>, std::pair<std::uint64_t, std::uint64_t>> figures;
    for (const auto& u : summary->usage)
        figures[{u.character, u.phone}] = {u.weight, u.wordInitialWeight};
    using Figures = decltype(figures);
    EXPECT_EQ(figures, (Figures{{{U'行', hang2}, {100, 0}},
                                {{U'行', xing2}, {80, 50}}, // 行人 begins with it, 人行 not
                                {{U'銀', yin2}, {100, 100}},
                                {{U'人', ren2}, {80, 30}},
                                {{U'一', yi1}, {65, 65}},
                                {{U'一', yi2}, {65, 65}},
                                {{U'個', ge5}, {65, 0}}})); // 一個 counted once
}

TEST(PhraseTreeTest, CheckGivesTheSyllablesOfTheFirstLevel) {
    const auto bytes = sample();
    EXPECT_EQ(phonetic::checkPhraseTree(bytes.tree, bytes.text),
              (std::vector<Phone>{yi1, yi2, yin2, ge5, hang2, xing2, ren2}));
}

// Damage that lets the engine read outside its files fails the quick check as well as the walk.
TEST(PhraseTreeTest, DamagedListIsRefused) {
    const auto refused = [](QByteArray tree, QByteArray text, bool engineUnsafe) {
        EXPECT_FALSE(phonetic::summarisePhraseTree(tree, text));
        EXPECT_EQ(phonetic::checkPhraseTree(tree, text).has_value(), !engineUnsafe);
    };
    auto bytes = sample();
    refused(bytes.tree + "\1\2\3", bytes.text, true);
    refused(bytes.tree, bytes.text + "x", true);
    auto outside = bytes;
    outside.setNode(0, 0, 1, static_cast<std::uint32_t>(bytes.tree.size() / 8 + 1));
    refused(outside.tree, outside.text, true);
    auto twice = bytes; // every first-level syllable has the first one's children
    for (std::uint32_t i = 2; i <= 7; ++i)
        twice.tree.replace(8 * i + 2, 6, bytes.tree.mid(8 + 2, 6));
    refused(twice.tree, twice.text, false);
}

} // namespace
