#include "platform/phonetic/PhraseReadings.h"

#include "tests/support/PhraseListBuilder.h"

#include <QFile>
#include <QStringList>

#include <set>

#include <gtest/gtest.h>

namespace {

using phonetic::PhraseReadings;

// The phone that reads as `text` ("ㄒㄧㄥˊ").
phonetic::Phone phoneOf(const QString& text) {
    for (int p = 1; p < (phonetic::zhuyin::kInitials + 1) << 9; ++p) {
        if (phonetic::zhuyin::toText(static_cast<phonetic::Phone>(p)) == text)
            return static_cast<phonetic::Phone>(p);
    }
    ADD_FAILURE() << "no phone reads " << text.toStdString();
    return 0;
}

qxtest::Phrase phrase(const QString& text, const QString& reading, std::uint32_t frequency) {
    qxtest::Phrase p{{}, text, frequency};
    for (const QString& syllable : reading.split(u' '))
        p.phones.push_back(phoneOf(syllable));
    return p;
}

// The readings of a word, most used first, separated by "/"; "-" for no word.
QString readingsOf(const PhraseReadings& words, const QString& word) {
    const std::u32string characters(word.toStdU32String());
    const auto node = words.find(characters);
    if (node == PhraseReadings::kNone)
        return QStringLiteral("-");
    QStringList readings;
    for (std::size_t nth = 0; nth < words.readingCount(node); ++nth) {
        QStringList syllables;
        for (const phonetic::Phone phone : words.reading(node, nth))
            syllables << phonetic::zhuyin::toText(phone);
        readings << syllables.join(u' ');
    }
    return readings.join(u'/');
}

const std::vector<qxtest::Phrase> kList = {
    phrase(u"行"_qs, u"ㄒㄧㄥˊ"_qs, 0),
    phrase(u"行"_qs, u"ㄏㄤˊ"_qs, 0),
    phrase(u"行人"_qs, u"ㄒㄧㄥˊ ㄖㄣˊ"_qs, 378),
    phrase(u"行人"_qs, u"ㄏㄤˊ ㄖㄣˊ"_qs, 2),
    phrase(u"行列"_qs, u"ㄏㄤˊ ㄌㄧㄝˋ"_qs, 1063),
    phrase(u"人行道"_qs, u"ㄖㄣˊ ㄒㄧㄥˊ ㄉㄠˋ"_qs, 7),
    phrase(u"人行道"_qs, u"ㄖㄣˊ ㄒㄧㄥˊ ㄉㄠˋ"_qs, 3),
    // Filed both ways, equally often; 一天 makes the unchanged tone the more used.
    phrase(u"一個"_qs, u"ㄧ ㄍㄜ˙"_qs, 100),
    phrase(u"一個"_qs, u"ㄧˊ ㄍㄜ˙"_qs, 100),
    phrase(u"一天"_qs, u"ㄧ ㄊㄧㄢ"_qs, 500),
    phrase(u"不要"_qs, u"ㄅㄨˋ ㄧㄠˋ"_qs, 40),
    phrase(u"不要"_qs, u"ㄅㄨˊ ㄧㄠˋ"_qs, 40),
    // Filed two ways equally often; 械鬥 makes ㄒㄧㄝˋ the more used reading of 械.
    phrase(u"機械"_qs, u"ㄐㄧ ㄐㄧㄝˋ"_qs, 10),
    phrase(u"機械"_qs, u"ㄐㄧ ㄒㄧㄝˋ"_qs, 10),
    phrase(u"械鬥"_qs, u"ㄒㄧㄝˋ ㄉㄡˋ"_qs, 5),
};

TEST(PhraseReadings, EachWordsReadingsMostUsedFirst) {
    const qxtest::PhraseListBytes bytes = qxtest::buildPhraseList(kList);
    const PhraseReadings words = PhraseReadings::build(bytes.tree, bytes.text, {});
    ASSERT_FALSE(words.empty());
    EXPECT_EQ(words.wordCount(), 8u);
    const struct {
        const char16_t* word;
        const char16_t* readings;
    } rows[] = {
        {u"行人", u"ㄒㄧㄥˊ ㄖㄣˊ/ㄏㄤˊ ㄖㄣˊ"},
        {u"行列", u"ㄏㄤˊ ㄌㄧㄝˋ"},
        {u"人行道", u"ㄖㄣˊ ㄒㄧㄥˊ ㄉㄠˋ"}, // filed twice alike: once
        {u"一個", u"ㄧˊ ㄍㄜ˙/ㄧ ㄍㄜ˙"},
        {u"不要", u"ㄅㄨˊ ㄧㄠˋ/ㄅㄨˋ ㄧㄠˋ"},
        {u"機械", u"ㄐㄧ ㄒㄧㄝˋ/ㄐㄧ ㄐㄧㄝˋ"},
        {u"行", u"-"},     // a character on its own is no word here
        {u"人行", u"-"},   // the start of a word only
        {u"行人們", u"-"}, // goes on past a word
        {u"", u"-"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(readingsOf(words, QString::fromUtf16(row.word)), QString::fromUtf16(row.readings))
            << QString::fromUtf16(row.word).toStdString();

    const auto node = words.find(U"人行道");
    EXPECT_EQ(words.frequency(node), 7u);
    EXPECT_TRUE(words.reading(node, 1).empty());
    EXPECT_EQ(words.readingCount(PhraseReadings::kNone), 0u);
}

TEST(PhraseReadings, DamagedListGivesNoWords) {
    const qxtest::PhraseListBytes sound = qxtest::buildPhraseList(kList);
    const struct {
        const char* name;
        std::vector<qxtest::Phrase> phrases;
        void (*damage)(qxtest::PhraseListBytes&);
    } rows[] = {
        {"TreeCutShort", kList, [](qxtest::PhraseListBytes& b) { b.tree.chop(3); }},
        {"NoTerminatingZero", kList, [](qxtest::PhraseListBytes& b) { b.text.chop(1); }},
        {"NotUtf8", kList, [](qxtest::PhraseListBytes& b) { b.text[0] = '\xFF'; }},
        {"ChildrenBeforeTheirParent", kList,
         [](qxtest::PhraseListBytes& b) { b.setNode(1, 0x1000, 0, 2); }},
        {"MoreCharactersThanSyllables", {phrase(u"行人們"_qs, u"ㄒㄧㄥˊ ㄖㄣˊ"_qs, 1)}, nullptr},
        {"FewerCharactersThanSyllables", {phrase(u"行"_qs, u"ㄒㄧㄥˊ ㄖㄣˊ"_qs, 1)}, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        qxtest::PhraseListBytes bytes = qxtest::buildPhraseList(row.phrases);
        if (row.damage)
            row.damage(bytes);
        EXPECT_TRUE(PhraseReadings::build(bytes.tree, bytes.text).empty());
    }
    EXPECT_FALSE(PhraseReadings::build(sound.tree, sound.text).empty());
    EXPECT_TRUE(PhraseReadings::build({}, {}).empty());
}

TEST(PhraseReadings, ReviewedReadingComesFirstForTheListsWordsOnly) {
    const auto reviewed = phonetic::ReviewedWordReadings::parse(
        "# word, reading, source\n"
        "行人\tㄏㄤˊ ㄖㄣˊ\tlisted second: moves first\n"
        "一天\tㄧˋ ㄊㄧㄢ\tnot listed: added first\n"
        "行列\tㄏㄤˊ ㄌㄧㄝˋ\talready first: no second copy\n"
        "人行\tㄖㄣˊ ㄒㄧㄥˊ\tthe start of a word only: stays no word\n"
        "行人們\tㄒㄧㄥˊ ㄖㄣˊ ㄇㄣˊ\tnot in the list: not added\n"
        "不要\tㄅㄨˋ\tone syllable short: skipped\n"
        "機械\tㄐㄧ ㄒㄨˋ\tnot a well-formed syllable: skipped\n"
        "\n");
    EXPECT_EQ(reviewed.entries().size(), 5u);
    const qxtest::PhraseListBytes bytes = qxtest::buildPhraseList(kList);
    const PhraseReadings words = PhraseReadings::build(bytes.tree, bytes.text, reviewed);
    EXPECT_EQ(words.wordCount(), 8u);
    const struct {
        const char16_t* word;
        const char16_t* readings;
    } rows[] = {
        {u"行人", u"ㄏㄤˊ ㄖㄣˊ/ㄒㄧㄥˊ ㄖㄣˊ"},
        {u"一天", u"ㄧˋ ㄊㄧㄢ/ㄧ ㄊㄧㄢ"},
        {u"行列", u"ㄏㄤˊ ㄌㄧㄝˋ"},
        {u"人行", u"-"},
        {u"行人們", u"-"},
        {u"不要", u"ㄅㄨˊ ㄧㄠˋ/ㄅㄨˋ ㄧㄠˋ"},
        {u"機械", u"ㄐㄧ ㄒㄧㄝˋ/ㄐㄧ ㄐㄧㄝˋ"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(readingsOf(words, QString::fromUtf16(row.word)), QString::fromUtf16(row.readings))
            << QString::fromUtf16(row.word).toStdString();
    // As often used as the word's most used reading was, so that splitting text is unchanged.
    EXPECT_EQ(words.frequency(words.find(U"行人")), 378u);
    EXPECT_EQ(words.frequency(words.find(U"一天")), 500u);
}

TEST(PhraseReadings, BuiltInReviewedReadingsAreWellFormedAndNamedOnce) {
    const auto& entries = phonetic::ReviewedWordReadings::builtIn().entries();
    ASSERT_GE(entries.size(), 100u);
    std::set<std::u32string> seen;
    for (const auto& entry : entries)
        EXPECT_TRUE(seen.insert(entry.word).second)
            << QString::fromStdU32String(entry.word).toStdString() << " is named twice";
    // Every line of the file that is not a comment made an entry: none was skipped as malformed.
    QFile file(QStringLiteral(QX_SOURCE_DIR "/platform/phonetic/data/word-readings.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::size_t lines = 0;
    for (const QByteArray& line : file.readAll().split('\n'))
        lines += !line.trimmed().isEmpty() && !line.startsWith('#');
    EXPECT_EQ(lines, entries.size());
}

// A character no word holds leads nowhere, even one that would spell another node's key: NUL
// (the key of a free slot) and characters wider than 21 bits (they reach the parent's bits).
TEST(PhraseReadings, CharactersOutsideEveryWordLeadNowhere) {
    const qxtest::PhraseListBytes bytes = qxtest::buildPhraseList(kList);
    const PhraseReadings words = PhraseReadings::build(bytes.tree, bytes.text, {});
    EXPECT_EQ(words.find(std::u32string(U"\0行人", 3)), PhraseReadings::kNone);
    EXPECT_EQ(words.next(PhraseReadings::kRoot, U'\0'), PhraseReadings::kNone);
    EXPECT_NE(words.next(PhraseReadings::kRoot, U'行'), PhraseReadings::kNone);
    for (const char32_t c : U"行人列道一個天不要機械鬥") {
        for (char32_t parent = 1; parent < 40; ++parent)
            EXPECT_EQ(words.next(PhraseReadings::kRoot, parent << 21 | c), PhraseReadings::kNone);
    }
}

} // namespace
