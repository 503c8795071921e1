// Faults outside the program: a dictionary that is missing or cannot be read, a browser that
// cannot be started. The program runs on, and readings are empty.
#include "BuildConfig.h"
#include "platform/imm/PhoneticInputMethod.h"
#include "platform/phonetic/PhoneticDictionary.h"
#include "tests/support/WindowFixture.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kTree = QString::fromLatin1(phonetic::kPhraseTreeFile);
const QString kText = QString::fromLatin1(phonetic::kPhraseTextFile);

enum class Damage {
    NoFolder,
    EmptyFolder,
    TreeIsAFolder,
    TextIsAFolder,
    TreeIsAPipe,
    EmptyTree,
    TextCutShort
};

// A copy of the system's dictionary folder, damaged as asked.
QString damagedFolder(const QTemporaryDir& scratch, Damage damage) {
    const QDir system(phonetic::systemDictionaryFolders().engine);
    const QDir folder(scratch.path());
    if (damage == Damage::NoFolder)
        return folder.filePath(QStringLiteral("nowhere"));
    if (damage == Damage::EmptyFolder)
        return folder.path();
    for (const QString& name : system.entryList(QDir::Files))
        EXPECT_TRUE(QFile::copy(system.filePath(name), folder.filePath(name))) << qPrintable(name);
    const bool tree = damage == Damage::TreeIsAFolder || damage == Damage::TreeIsAPipe ||
                      damage == Damage::EmptyTree;
    const QString file = folder.filePath(tree ? kTree : kText);
    if (damage == Damage::TreeIsAFolder || damage == Damage::TextIsAFolder) {
        EXPECT_TRUE(QFile::remove(file));
        EXPECT_TRUE(QDir().mkdir(file));
    } else if (damage == Damage::TreeIsAPipe) {
        EXPECT_TRUE(QFile::remove(file));
        EXPECT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
    } else {
        EXPECT_TRUE(QFile::resize(file, tree ? 0 : QFileInfo(file).size() / 2));
    }
    return folder.path();
}

struct DamageCase {
    const char* name;
    Damage damage;
    phonetic::DictionaryStatus status; // as the user is told it
};

constexpr auto kMissing = phonetic::DictionaryStatus::Missing;
constexpr auto kDamaged = phonetic::DictionaryStatus::Damaged;

class DamagedDictionary : public WindowTest, public ::testing::WithParamInterface<DamageCase> {
protected:
    std::unique_ptr<imm::InputMethodManager> realIme() override {
        const QString folder = damagedFolder(scratch, GetParam().damage);
        auto ime = imm::makeSystemInputMethodManager({folder, folder});
        phoneticIme = ime.get();
        return ime;
    }
    QTemporaryDir scratch;
    imm::InputMethodManager* phoneticIme = nullptr; // under the window's TestIme
};

TEST_P(DamagedDictionary, WindowRunsWithEmptyReadings) {
    type(QStringLiteral("中文字"));
    crossBareWindow();
    pointAt(500);
    EXPECT_EQ(w->Label1.Caption(), QStringLiteral("文"));
    EXPECT_EQ(w->注音解說.Caption(), QString());
    EXPECT_EQ(w->readyFlag, -1) << "the lookup completed";
    pressAnalyse();
    EXPECT_EQ(w->分析文章.Text(), QStringLiteral("中 \r\n文 \r\n字 \r\n"));
    EXPECT_TRUE(told.isEmpty());
    EXPECT_EQ(imm::dictionaryStatus(*phoneticIme), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedDictionary,
    ::testing::Values(DamageCase{"no_folder", Damage::NoFolder, kMissing},
                      DamageCase{"empty_folder", Damage::EmptyFolder, kMissing},
                      DamageCase{"tree_is_a_folder", Damage::TreeIsAFolder, kMissing},
                      DamageCase{"text_is_a_folder", Damage::TextIsAFolder, kMissing},
                      DamageCase{"tree_is_a_pipe", Damage::TreeIsAPipe, kMissing},
                      DamageCase{"empty_tree", Damage::EmptyTree, kDamaged},
                      DamageCase{"text_cut_short", Damage::TextCutShort, kDamaged}),
    [](const auto& info) { return std::string(info.param.name); });

// The engine, failing to load a dictionary, closed descriptor 0: standard input, or whatever file
// of the program's held that number.
TEST(MissingDictionary, LeavesDescriptorZeroAlone) {
    const int original = ::dup(0);
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    ASSERT_EQ(::dup2(file.handle(), 0), 0);
    struct stat before {};
    ASSERT_EQ(::fstat(0, &before), 0);
    {
        QTemporaryDir empty;
        imm::PhoneticInputMethod ime({empty.path(), empty.path()});
        char none[] = "";
        EXPECT_EQ(
            ime.ImmEscapeA(imm::PhoneticInputMethod::kPhoneticIme, 0, imm::IME_ESC_MAX_KEY, none),
            0);
    }
    struct stat after {};
    EXPECT_EQ(::fstat(0, &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    if (original >= 0) {
        ::dup2(original, 0);
        ::close(original);
    } else {
        ::close(0);
    }
}

// The desktop's own opener, found on a PATH of the test's making.
class BrowserCannotStart : public WindowTest {
protected:
    void adjustServices(WindowServices& services) override {
        services.openUrl = desktop::systemUrlOpener();
    }
    void SetUp() override {
        savedPath = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        WindowTest::SetUp();
    }
    void TearDown() override { qputenv("PATH", savedPath); }

    // The window as it was, and one report to the user naming the page.
    void clickLinkAndExpectOnlyTheUserTold() {
        type(QStringLiteral("中文"));
        pressAnalyse();
        crossBareWindow();
        pointAt(500);
        mouse(forms::Form::MouseAction::Down, link.x(), link.y(), forms::LeftButton,
              forms::LeftButton);
        mouse(forms::Form::MouseAction::Up, link.x(), link.y(), forms::LeftButton, 0);
        const QDeadlineTimer deadline(10000);
        while (told.isEmpty() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::processEvents(); // a second report would be queued by now
        ASSERT_EQ(told.size(), 1);
        EXPECT_TRUE(told[0].contains(QString::fromUtf8(buildconfig::makerUrl)));
        EXPECT_EQ(w->很多行.Text(), QStringLiteral("中文"));
        EXPECT_EQ(w->注音解說.Caption(), QStringLiteral("ㄨㄣˊ"));
        EXPECT_EQ(w->分析文章.Text(), QStringLiteral("中 ㄓㄨㄥ\r\n文 ㄨㄣˊ\r\n"));
        EXPECT_EQ(w->Height(), 3135);
    }

    QTemporaryDir bin;
    QByteArray savedPath;
};

TEST_F(BrowserCannotStart, NoOpenerOnThePath) {
    clickLinkAndExpectOnlyTheUserTold();
}

TEST_F(BrowserCannotStart, OpenerFindsNoBrowser) {
    QFile opener(QDir(bin.path()).filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\nexit 3\n");
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    clickLinkAndExpectOnlyTheUserTold();
}

} // namespace
