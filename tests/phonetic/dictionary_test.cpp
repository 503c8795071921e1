// Building the reading index from the dictionary, and what happens when the dictionary is missing
// or damaged.
#include "platform/phonetic/ChewingEngine.h"
#include "platform/phonetic/PhoneticDictionary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace {

using phonetic::DictionaryFolders;
using phonetic::FilesState;
using phonetic::IndexBuildReport;

QString systemFolder() {
    return phonetic::systemDictionaryFolders().engine;
}

// The character's readings in the index built from `folders`, in order.
QStringList readingsOf(const DictionaryFolders& folders, char32_t character,
                       IndexBuildReport* report = nullptr) {
    QStringList readings;
    phonetic::buildReadingIndex(folders, report)
        .forEachCharacter([&](char32_t c, std::span<const phonetic::ReadingUsage> group) {
            if (c == character) {
                for (const phonetic::ReadingUsage& r : group)
                    readings << phonetic::zhuyin::toText(r.phone);
            }
        });
    return readings;
}

QByteArray systemFile(const char* name) {
    QFile file(QDir(systemFolder()).filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A copy of the system's dictionary with another phrase list.
void makeFolder(const QString& folder, const QByteArray& tree, const QByteArray& text) {
    for (const QString& name : QDir(systemFolder()).entryList(QDir::Files))
        QFile::copy(QDir(systemFolder()).filePath(name), QDir(folder).filePath(name));
    for (const auto& [name, bytes] :
         {std::pair{"index_tree.dat", tree}, std::pair{"dictionary.dat", text}}) {
        QFile file(QDir(folder).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
}

QByteArray noise(qsizetype size) {
    QByteArray bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& b : bytes)
        b = static_cast<char>((state = state * 1103515245u + 12345u) >> 16);
    return bytes;
}

// The engine trusts its files and aborts on damaged ones: they must never reach it.
TEST(DictionaryTest, DamagedPhraseListIsNeverGivenToTheEngine) {
    const QByteArray tree = systemFile("index_tree.dat"), text = systemFile("dictionary.dat");
    const struct {
        const char* name;
        QByteArray tree, text;
    } rows[] = {{"Noise", noise(80000), text},
                {"TreeCutInsideANode", tree.left(100003), text},
                {"TextCut", tree, text.left(5000)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        makeFolder(folder.path(), row.tree, row.text);
        IndexBuildReport report;
        EXPECT_TRUE(readingsOf({folder.path(), folder.path()}, U'中', &report).isEmpty());
        EXPECT_EQ(report.engineFiles, FilesState::Malformed);
        EXPECT_FALSE(report.engineLoaded);
    }
}

TEST(DictionaryTest, WithoutUsablePhraseListReadingsKeepTheEnginesOrder) {
    QTemporaryDir damaged, missing;
    makeFolder(damaged.path(), noise(8000), systemFile("dictionary.dat"));
    for (const QString& usage : {damaged.path(), missing.path()}) {
        IndexBuildReport report;
        // The engine lists syllables in ascending order: ㄏㄤ before ㄒㄧㄥ.
        EXPECT_EQ(readingsOf({systemFolder(), usage}, U'行', &report),
                  QStringList({QStringLiteral(u"ㄏㄤˊ"), QStringLiteral(u"ㄏㄤˋ"),
                               QStringLiteral(u"ㄒㄧㄥˊ"), QStringLiteral(u"ㄒㄧㄥˋ")}));
        EXPECT_TRUE(report.listedByEngine);
    }
}

// The index reads the phrase list instead of typing every syllable: the two must agree.
TEST(DictionaryTest, PhraseListHoldsWhatTheEngineListsForEverySyllable) {
    const phonetic::PhraseTreeFiles files(systemFolder());
    const auto syllables = phonetic::checkPhraseTree(files.tree(), files.text());
    const auto summary = phonetic::summarisePhraseTree(files.tree(), files.text());
    auto engine = phonetic::ChewingEngine::open(systemFolder());
    ASSERT_TRUE(syllables && summary && engine);
    std::set<std::pair<char32_t, phonetic::zhuyin::Phone>> fromEngine, fromList;
    for (const auto& r : engine->listReadings(*syllables))
        fromEngine.emplace(r.character, r.phone);
    for (const auto& r : summary->usage)
        fromList.emplace(r.character, r.phone);
    EXPECT_GT(fromEngine.size(), 26000u);
    EXPECT_TRUE(fromEngine == fromList);
    IndexBuildReport report;
    phonetic::buildReadingIndex(phonetic::systemDictionaryFolders(), &report);
    EXPECT_FALSE(report.listedByEngine);
}

TEST(DictionaryTest, BuildingWritesNothingToDisk) {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    EXPECT_FALSE(readingsOf(phonetic::systemDictionaryFolders(), U'中').isEmpty());
    qputenv("HOME", oldHome);
    EXPECT_TRUE(QDir(home.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

} // namespace
