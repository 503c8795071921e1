#include "platform/phonetic/Segmenter.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using phonetic::Lexicon;

// Words and frequencies given by hand; nodes number the prefixes of the words.
class TableLexicon final : public Lexicon {
public:
    explicit TableLexicon(const std::map<std::u32string, std::uint32_t>& words) {
        prefixes_.push_back({});
        for (const auto& [word, frequency] : words) {
            for (std::size_t n = 1; n <= word.size(); ++n) {
                const std::u32string prefix = word.substr(0, n);
                if (nodeOf(prefix) == kNone)
                    prefixes_.push_back(prefix);
            }
        }
        frequencies_ = words;
    }

    Node next(Node node, char32_t c) const override {
        return node == kNone ? kNone : nodeOf(prefixes_[node] + c);
    }
    bool isWord(Node node) const override { return frequencies_.contains(prefixes_[node]); }
    std::uint32_t frequency(Node node) const override { return frequencies_.at(prefixes_[node]); }

private:
    Node nodeOf(const std::u32string& prefix) const {
        for (std::size_t i = 0; i < prefixes_.size(); ++i) {
            if (prefixes_[i] == prefix)
                return static_cast<Node>(i);
        }
        return kNone;
    }

    std::vector<std::u32string> prefixes_;
    std::map<std::u32string, std::uint32_t> frequencies_;
};

// The pieces, separated by "/". `alone` is a table of how often characters stand alone,
// `runTogether` a list of run-together words.
std::string split(const std::map<std::u32string, std::uint32_t>& words, const std::u32string& text,
                  const char* alone = "", const char* runTogether = "") {
    const TableLexicon lexicon(words);
    const auto counts = phonetic::StandingAlone::parse(alone);
    phonetic::Segmenter segmenter(lexicon, counts, phonetic::RunTogetherWords::parse(runTogether));
    std::vector<phonetic::Word> pieces{{0, 0, 0}}; // left over from before: replaced
    segmenter.split(text, pieces);
    std::string out;
    std::size_t covered = 0;
    for (const phonetic::Word& piece : pieces) {
        EXPECT_EQ(piece.begin, covered);
        EXPECT_EQ(piece.node == Lexicon::kNone, piece.length == 1);
        covered += piece.length;
        if (!out.empty())
            out += '/';
        for (std::size_t k = 0; k < piece.length; ++k)
            out += static_cast<char>(text[piece.begin + k]);
    }
    EXPECT_EQ(covered, text.size());
    return out;
}

TEST(Segmenter, SplitsAlongTheBestScoringPath) {
    const struct {
        const char* name;
        std::map<std::u32string, std::uint32_t> words;
        std::u32string text;
        std::string pieces;
    } rows[] = {
        {"Empty", {{U"ab", 5}}, U"", ""},
        {"NoWords", {}, U"abc", "a/b/c"},
        {"AWordBeatsItsCharactersEvenUncounted", {{U"bc", 0}}, U"abcd", "a/bc/d"},
        {"WordAtTheVeryEnd", {{U"cd", 3}}, U"abcd", "a/b/cd"},
        {"PrefixOfAWordIsNoWord", {{U"abcd", 3}}, U"abc", "a/b/c"},
        {"OverlapGoesToTheMoreUsed", {{U"ab", 5}, {U"bc", 500}}, U"abc", "a/bc"},
        {"OverlapTheOtherWay", {{U"ab", 500}, {U"bc", 5}}, U"abc", "ab/c"},
        {"LongerWordAsUsedAsTheShorter", {{U"ab", 100}, {U"abc", 100}}, U"abcd", "abc/d"},
        {"TwoCommonWordsOverARareLongOne",
         {{U"ab", 200000}, {U"cd", 200000}, {U"abcd", 0}},
         U"abcd",
         "ab/cd"},
        {"ARareLongWordOverARareShortOne", {{U"ab", 0}, {U"abcd", 0}}, U"abcd", "abcd"},
        {"WordsThatDoNotOverlapAllCount",
         {{U"ab", 1}, {U"cd", 1}, {U"ef", 1}},
         U"xabcdefx",
         "x/ab/cd/ef/x"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(split(row.words, row.text), row.pieces);
    }
}

// Characters on their own score by how often they stand alone, in tenths of ln(1 + count) as the
// built-in file has them (很 107, 學 95, 的 150). Run-together words score less, and only they
// lose to their characters each on its own.
TEST(Segmenter, WeighsCharactersOnTheirOwnAndRunTogetherWords) {
    const std::map<std::u32string, std::uint32_t> threeWords = {
        {U"ab", 100}, {U"bc", 100}, {U"cd", 100}};
    const std::map<std::u32string, std::uint32_t> overlap = {{U"ab", 2511}, {U"bc", 190}};
    const struct {
        const char* name;
        std::map<std::u32string, std::uint32_t> words;
        std::u32string text;
        const char* alone;
        const char* runTogether;
        std::string pieces;
    } rows[] = {
        {"FewerPiecesWhereCharactersAreRare", threeWords, U"abcd", "", "", "ab/cd"},
        {"MorePiecesWhereCharactersAreCommon", threeWords, U"abcd", "a\t150\nd\t150", "", "a/bc/d"},
        {"AWordBeatsItsCharactersHoweverCommon", {{U"ab", 0}}, U"ab", "a\t150\nb\t150", "", "ab"},
        {"ARunTogetherWordDoesNot", {{U"ab", 0}}, U"ab", "a\t150\nb\t150", "ab", "a/b"},
        {"TheMoreUsedOverlapWins", overlap, U"abc", "a\t107\nc\t95", "", "ab/c"},
        {"UnlessItIsRunTogether", overlap, U"abc", "a\t107\nc\t95", "# words\n\nab\n", "a/bc"},
        {"ListLinesThatSayNothing", overlap, U"abc", "a\t107\nc\t95", "a\nb\nxy\n", "ab/c"},
        {"ACommonCharacterLeftAlone", overlap, U"abc", "a\t200", "", "a/bc"},
        {"TableLinesThatSayNothing", overlap, U"abc",
         "a 200\na\t-200\na\tx\nab\t200\na\t200\t1\na\t300\n", "", "ab/c"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(split(row.words, row.text, row.alone, row.runTogether), row.pieces);
    }
}

TEST(Segmenter, LongTextWithoutWordsSplitsIntoCharacters) {
    const std::u32string text(1'000'000, U'x');
    const TableLexicon lexicon({{U"ab", 1}});
    phonetic::Segmenter segmenter(lexicon, phonetic::StandingAlone::builtIn());
    std::vector<phonetic::Word> pieces;
    segmenter.split(text, pieces);
    ASSERT_EQ(pieces.size(), text.size());
    EXPECT_EQ(pieces.back().begin, text.size() - 1);
}

} // namespace
