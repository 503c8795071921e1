// quilldex2-readings when its dictionary or its input lets it down: a message and a status that
// say so, never an empty listing passed off as the readings, never a hang or an abort.
#include "platform/phonetic/PhoneticDictionary.h"
#include "tools/readings/ExitStatus.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using readings::ExitStatus;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true; // the sanitizer's allocator reserves far more than the limit
#else
constexpr bool kSanitized = false;
#endif

struct Outcome {
    QProcess::ExitStatus how;
    int status;
    QByteArray out, err;
};

// The program through /bin/sh, so that a test can limit it or run it as another user.
Outcome run(const QString& script, const QString& dictionary = {}) {
    QProcess process;
    if (!dictionary.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CHEWING_PATH"), dictionary);
        process.setProcessEnvironment(environment);
    }
    process.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"), script, QStringLiteral(QX_READINGS_PROGRAM)});
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus(), process.exitCode(), process.readAllStandardOutput(),
            process.readAllStandardError()};
}

// A copy of the system's dictionary, then spoilt.
void copySystemDictionary(const QString& folder) {
    const QDir system(phonetic::systemDictionaryFolders().engine);
    for (const QString& name : system.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(system.filePath(name), QDir(folder).filePath(name)));
}

QString phraseTree(const QString& folder) {
    return QDir(folder).filePath(QString::fromLatin1(phonetic::kPhraseTreeFile));
}

struct DictionaryCase {
    const char* what;
    std::function<void(const QString& folder)> spoil;
    ExitStatus status;
    const char* says;
    QString script = QStringLiteral("printf '中' | \"$0\"");
};

TEST(ReadingsFailures, DictionaryThatCannotServeIsReportedAndNothingListed) {
    const bool root = ::geteuid() == 0;
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    const DictionaryCase cases[] = {
        {"no dictionary", [](const QString&) {}, ExitStatus::NoDictionary, "missing"},
        {"a named pipe for the phrase tree",
         [](const QString& folder) {
             copySystemDictionary(folder);
             QFile::remove(phraseTree(folder));
             ASSERT_EQ(::mkfifo(QFile::encodeName(phraseTree(folder)).constData(), 0644), 0);
         },
         ExitStatus::NoDictionary, "missing"},
        {"the phrase tree cut short",
         [](const QString& folder) {
             copySystemDictionary(folder);
             ASSERT_TRUE(QFile::resize(phraseTree(folder), 100003));
         },
         ExitStatus::DamagedDictionary, "damaged"},
        // Root reads whatever the mode says: the program then runs as a bare user id.
        {"files only their owner may read",
         [root](const QString& folder) {
             copySystemDictionary(folder);
             ::chmod(QFile::encodeName(folder).constData(), 0755);
             for (const QString& name : QDir(folder).entryList(QDir::Files))
                 ::chmod(QFile::encodeName(QDir(folder).filePath(name)).constData(),
                         root ? 0600 : 0);
         },
         ExitStatus::UnreadableDictionary, "cannot be read",
         root ? QStringLiteral("printf '中' | %1 --reuid=4242 --regid=4242 --clear-groups \"$0\"")
                    .arg(setpriv)
              : QStringLiteral("printf '中' | \"$0\"")},
    };
    for (const DictionaryCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.status == ExitStatus::UnreadableDictionary && root && setpriv.isEmpty())
            continue; // no way to read as someone else
        QTemporaryDir folder;
        c.spoil(folder.path());
        const Outcome r = run(c.script, folder.path());
        EXPECT_EQ(r.how, QProcess::NormalExit);
        EXPECT_EQ(r.status, readings::code(c.status));
        EXPECT_EQ(r.out, QByteArray());
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
    }
}

TEST(ReadingsFailures, EndlessLineUnderAMemoryLimitIsAnError) {
    if (kSanitized)
        GTEST_SKIP() << "no memory limit under AddressSanitizer";
    // 400 MB of address space: the program and its libraries fit, /dev/zero's one line does not.
    const Outcome r = run(QStringLiteral("ulimit -v 400000 && exec \"$0\" </dev/zero"));
    EXPECT_EQ(r.how, QProcess::NormalExit);
    EXPECT_EQ(r.status, readings::code(ExitStatus::OutOfMemory));
    EXPECT_TRUE(r.err.contains("out of memory"));
    EXPECT_EQ(r.out, QByteArray());
}

} // namespace
