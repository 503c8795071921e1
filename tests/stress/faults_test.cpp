// Faults outside the program: a dictionary that is missing or cannot be read, a browser that
// cannot be started. The program runs on, and readings are empty.
#include "BuildConfig.h"
#include "platform/imm/PhoneticDictionary.h"
#include "platform/imm/PhoneticInputMethod.h"
#include "tests/window/WindowFixture.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kTree = QString::fromLatin1(imm::kPhraseTreeFile);
const QString kText = QString::fromLatin1(imm::kPhraseTextFile);

enum class Damage { NoFolder, EmptyFolder, TreeIsAFolder, TextIsAFolder, EmptyTree, TextCutShort };

// A copy of the system's dictionary folder, damaged as asked.
QString damagedFolder(const QTemporaryDir& scratch, Damage damage) {
    const QDir system(imm::systemDictionaryFolders().engine);
    const QDir folder(scratch.path());
    if (damage == Damage::NoFolder)
        return folder.filePath(QStringLiteral("nowhere"));
    if (damage == Damage::EmptyFolder)
        return folder.path();
    for (const QString& name : system.entryList(QDir::Files))
        EXPECT_TRUE(QFile::copy(system.filePath(name), folder.filePath(name))) << qPrintable(name);
    const auto replaceWithFolder = [&](const QString& name) {
        EXPECT_TRUE(QFile::remove(folder.filePath(name)));
        EXPECT_TRUE(folder.mkdir(name));
    };
    const auto cut = [&](const QString& name, qint64 size) {
        EXPECT_TRUE(QFile::resize(folder.filePath(name), size));
    };
    switch (damage) {
    case Damage::TreeIsAFolder:
        replaceWithFolder(kTree);
        break;
    case Damage::TextIsAFolder:
        replaceWithFolder(kText);
        break;
    case Damage::EmptyTree:
        cut(kTree, 0);
        break;
    case Damage::TextCutShort:
        cut(kText, QFileInfo(folder.filePath(kText)).size() / 2);
        break;
    default:
        break;
    }
    return folder.path();
}

struct DamageCase {
    const char* name;
    Damage damage;
};

const auto kDamages = ::testing::Values(DamageCase{"no_folder", Damage::NoFolder},
                                        DamageCase{"empty_folder", Damage::EmptyFolder},
                                        DamageCase{"tree_is_a_folder", Damage::TreeIsAFolder},
                                        DamageCase{"text_is_a_folder", Damage::TextIsAFolder},
                                        DamageCase{"empty_tree", Damage::EmptyTree},
                                        DamageCase{"text_cut_short", Damage::TextCutShort});
const auto kDamageName = [](const auto& info) { return std::string(info.param.name); };

class DamagedDictionary : public WindowTest, public ::testing::WithParamInterface<DamageCase> {
protected:
    std::unique_ptr<imm::InputMethodManager> realIme() override {
        const QString folder = damagedFolder(scratch, GetParam().damage);
        return imm::makeSystemInputMethodManager({folder, folder});
    }
    QTemporaryDir scratch;
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
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedDictionary, kDamages, kDamageName);

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

// The program finds the system's dictionary as the engine does, through CHEWING_PATH.
class ReadingsWithoutDictionary : public ::testing::TestWithParam<DamageCase> {};

TEST_P(ReadingsWithoutDictionary, ProgramListsEveryCharacterWithAnEmptyReading) {
    QTemporaryDir scratch;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CHEWING_PATH"), damagedFolder(scratch, GetParam().damage));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QX_READINGS_PROGRAM));
    program.write(QByteArrayLiteral("中文\n"));
    program.closeWriteChannel();
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(program.readAllStandardOutput(), QByteArrayLiteral("中 \n文 \n"));
}

INSTANTIATE_TEST_SUITE_P(Damages, ReadingsWithoutDictionary, kDamages, kDamageName);

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

    void clickLinkAndWait() {
        mouse(forms::Form::MouseAction::Down, 300, 2350, forms::LeftButton, forms::LeftButton);
        mouse(forms::Form::MouseAction::Up, 300, 2350, forms::LeftButton, 0);
        const QDeadlineTimer deadline(10000);
        while (told.isEmpty() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::processEvents(); // a second report would be queued by now
    }
    void expectOnlyTheUserTold() {
        ASSERT_EQ(told.size(), 1);
        EXPECT_TRUE(told[0].contains(QString::fromUtf8(buildconfig::makerUrl)));
        EXPECT_EQ(w->很多行.Text(), QStringLiteral("中文"));
        EXPECT_EQ(w->Label1.Caption(), QStringLiteral("文"));
        EXPECT_EQ(w->注音解說.Caption(), QStringLiteral("ㄨㄣˊ"));
        EXPECT_EQ(w->分析文章.Text(), QStringLiteral("中 ㄓㄨㄥ\r\n文 ㄨㄣˊ\r\n"));
        EXPECT_EQ(w->Height(), 3135);
    }
    void prepareWindow() {
        type(QStringLiteral("中文"));
        pressAnalyse();
        crossBareWindow();
        pointAt(500);
    }

    QTemporaryDir bin;
    QByteArray savedPath;
};

TEST_F(BrowserCannotStart, NoOpenerOnThePath) {
    prepareWindow();
    clickLinkAndWait();
    expectOnlyTheUserTold();
}

TEST_F(BrowserCannotStart, OpenerFindsNoBrowser) {
    QFile opener(QDir(bin.path()).filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\nexit 3\n");
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    prepareWindow();
    clickLinkAndWait();
    expectOnlyTheUserTold();
}

} // namespace
