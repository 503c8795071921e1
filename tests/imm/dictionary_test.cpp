// Building the input method's index from the dictionary: what the engine lists, what the phrase
// list ranks, and what happens when either is missing or damaged.
#include "platform/codepage/Cp950.h"
#include "platform/imm/ChewingEngine.h"
#include "platform/imm/PhoneticInputMethod.h"
#include "platform/imm/PhraseTree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <set>

namespace {

using imm::FilesState;
using imm::PhoneticInputMethod;

constexpr imm::HKL kIme = PhoneticInputMethod::kPhoneticIme;

QString systemFolder() {
    return imm::systemDictionaryFolders().engine;
}

QStringList readingsOf(PhoneticInputMethod& ime, const char16_t* word) {
    const QByteArray source = codepage::toAnsi(QStringView(word));
    const std::int32_t size = ime.ImmGetConversionListA(kIme, 0, source.constData(), nullptr, 0,
                                                        imm::GCL_REVERSECONVERSION);
    QStringList readings;
    if (size <= 0)
        return readings;
    std::vector<char> list(size);
    ime.ImmGetConversionListA(kIme, 0, source.constData(), list.data(), size,
                              imm::GCL_REVERSECONVERSION);
    const std::uint32_t count = static_cast<std::uint8_t>(list[8]);
    for (std::uint32_t k = 0; k < count; ++k) {
        const auto offset = static_cast<std::uint8_t>(list[24 + 4 * k]) |
                            static_cast<std::uint8_t>(list[25 + 4 * k]) << 8;
        readings << codepage::fromAnsi(QByteArrayView(list.data() + offset));
    }
    return readings;
}

// Bytes that look nothing like a phrase list, the same on every run.
QByteArray noise(qsizetype size) {
    QByteArray bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<char>(state >> 16);
    }
    return bytes;
}

// A copy of the system's dictionary folder, with the phrase list replaced.
void makeFolder(const QString& folder, const QByteArray& tree, const QByteArray& text) {
    const QDir system(systemFolder());
    for (const QString& name : system.entryList(QDir::Files))
        QFile::copy(system.filePath(name), QDir(folder).filePath(name));
    for (const auto& [name, bytes] : {std::pair{QStringLiteral("index_tree.dat"), tree},
                                      std::pair{QStringLiteral("dictionary.dat"), text}}) {
        QFile file(QDir(folder).filePath(name));
        file.remove();
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
}

QByteArray systemFile(const char* name) {
    QFile file(QDir(systemFolder()).filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(DictionaryTest, WithoutDictionaryTheImeHasNoKeysAndNoLists) {
    QTemporaryDir empty;
    PhoneticInputMethod ime({empty.path(), empty.path()});
    char none[] = "";
    EXPECT_EQ(ime.ImmEscapeA(kIme, 0, imm::IME_ESC_MAX_KEY, none), 0);
    EXPECT_TRUE(ime.ImmIsIME(kIme));
    EXPECT_TRUE(readingsOf(ime, u"中").isEmpty());
    EXPECT_FALSE(ime.buildReport().engineLoaded);
}

struct DamageCase {
    const char* name;
    QByteArray (*tree)();
    QByteArray (*text)();
};

void PrintTo(const DamageCase& c, std::ostream* os) {
    *os << c.name;
}

class DamagedPhraseList : public ::testing::TestWithParam<DamageCase> {};

// The engine trusts its files and aborts on such ones: they must never reach it.
TEST_P(DamagedPhraseList, IsNeverGivenToTheEngine) {
    QTemporaryDir folder;
    makeFolder(folder.path(), GetParam().tree(), GetParam().text());
    PhoneticInputMethod ime({folder.path(), folder.path()});
    char none[] = "";
    EXPECT_EQ(ime.ImmEscapeA(kIme, 0, imm::IME_ESC_MAX_KEY, none), 0);
    EXPECT_TRUE(readingsOf(ime, u"中").isEmpty());
    EXPECT_EQ(ime.buildReport().engineFiles, FilesState::Malformed);
    EXPECT_FALSE(ime.buildReport().engineLoaded);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedPhraseList,
    ::testing::Values(
        DamageCase{"Noise", [] { return noise(80000); },
                   [] { return systemFile("dictionary.dat"); }},
        DamageCase{"TreeCutInsideANode", [] { return systemFile("index_tree.dat").left(100003); },
                   [] { return systemFile("dictionary.dat"); }},
        DamageCase{"TreeCutAtANode", [] { return systemFile("index_tree.dat").left(100000); },
                   [] { return systemFile("dictionary.dat"); }},
        DamageCase{"TextCut", [] { return systemFile("index_tree.dat"); },
                   [] { return systemFile("dictionary.dat").left(5000); }},
        DamageCase{"Empty", [] { return QByteArray(); }, [] { return QByteArray(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DictionaryTest, UnusablePhraseListLeavesTheEnginesOrder) {
    QTemporaryDir damaged;
    makeFolder(damaged.path(), noise(8000), systemFile("dictionary.dat"));
    QTemporaryDir missing;
    for (const QString& usage : {damaged.path(), missing.path()}) {
        PhoneticInputMethod ime({systemFolder(), usage});
        // The engine lists syllables in ascending order: ㄏㄤˊ before ㄒㄧㄥˊ.
        EXPECT_EQ(readingsOf(ime, u"行"),
                  (QStringList{QStringLiteral(u"ㄏㄤˊ"), QStringLiteral(u"ㄏㄤˋ"),
                               QStringLiteral(u"ㄒㄧㄥˊ"), QStringLiteral(u"ㄒㄧㄥˋ")}));
        EXPECT_TRUE(ime.buildReport().listedByEngine);
        EXPECT_EQ(ime.buildReport().usageFiles,
                  usage == missing.path() ? FilesState::Missing : FilesState::Malformed);
    }
}

TEST(DictionaryTest, PhraseListReadsAsTheEngineListsEverySyllable) {
    const imm::PhraseTreeFiles files(systemFolder());
    ASSERT_TRUE(files.present());
    const auto syllables = imm::checkPhraseTree(files.tree(), files.text());
    const auto summary = imm::summarisePhraseTree(files.tree(), files.text());
    ASSERT_TRUE(syllables && summary);

    auto engine = imm::ChewingEngine::open(systemFolder());
    ASSERT_TRUE(engine);
    std::set<std::pair<char32_t, imm::zhuyin::Phone>> fromEngine, fromList;
    for (const auto& r : engine->listReadings(*syllables))
        fromEngine.emplace(r.character, r.phone);
    for (const auto& r : summary->usage)
        fromList.emplace(r.character, r.phone);
    EXPECT_GT(fromEngine.size(), 26000u);
    EXPECT_TRUE(fromEngine == fromList);

    // Every syllable the engine takes is one the list names.
    const auto all = imm::ChewingEngine::allSyllables();
    std::set<imm::zhuyin::Phone> taken;
    for (const auto& r : engine->listReadings(all))
        taken.insert(r.phone);
    EXPECT_TRUE(std::includes(syllables->begin(), syllables->end(), taken.begin(), taken.end()));

    PhoneticInputMethod ime;
    EXPECT_FALSE(ime.buildReport().listedByEngine);
}

TEST(DictionaryTest, BuildingWritesNothingToDisk) {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    {
        PhoneticInputMethod ime;
        EXPECT_FALSE(readingsOf(ime, u"中").isEmpty());
    }
    qputenv("HOME", oldHome);
    EXPECT_TRUE(QDir(home.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

} // namespace
