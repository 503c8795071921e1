#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Real copies of the program on the offscreen platform, sharing one runtime folder as one user's
// copies do.
struct SingleCopy : ::testing::Test {
    QTemporaryDir runtime;
    std::vector<std::unique_ptr<QProcess>> copies;

    // tmp: with a temporary folder instead of a runtime folder.
    QProcess& start(const QString& tmp = {}) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (tmp.isEmpty()) {
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        } else {
            env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
            env.insert(QStringLiteral("TMPDIR"), tmp);
        }
        process->setProcessEnvironment(env);
        process->setProgram(QStringLiteral(QX_APP_PATH));
        process->start();
        EXPECT_TRUE(process->waitForStarted(5000));
        copies.push_back(std::move(process));
        return *copies.back();
    }
    // Still running after a while: it took the lock and shows its window.
    static bool keepsRunning(QProcess& p) { return !p.waitForFinished(1500); }
    static bool endsQuietly(QProcess& p) {
        return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit &&
               p.exitCode() == 0;
    }

    void TearDown() override {
        for (auto& p : copies) {
            p->kill();
            p->waitForFinished(5000);
        }
    }
};

TEST_F(SingleCopy, SecondCopyEndsAndTheFirstRunsOn) {
    QProcess& first = start();
    ASSERT_TRUE(keepsRunning(first));
    QProcess& second = start();
    EXPECT_TRUE(endsQuietly(second));
    EXPECT_EQ(second.readAllStandardOutput(), QByteArray());
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(SingleCopy, KilledCopyDoesNotBlockTheNextStart) {
    QProcess& first = start();
    ASSERT_TRUE(keepsRunning(first));
    ::kill(pid_t(first.processId()), SIGKILL);
    first.waitForFinished(5000);
    QProcess& next = start();
    EXPECT_TRUE(keepsRunning(next));
}

TEST_F(SingleCopy, TwoStartedTogetherLeaveExactlyOne) {
    QProcess& a = start();
    QProcess& b = start();
    a.waitForFinished(3000);
    b.waitForFinished(3000);
    const int running = (a.state() == QProcess::Running) + (b.state() == QProcess::Running);
    EXPECT_EQ(running, 1);
    QProcess& ended = a.state() == QProcess::Running ? b : a;
    EXPECT_EQ(ended.exitCode(), 0);
}

// Another local user, a bare user id here, prepares the shared temporary folder before our first
// start: the runtime folder Qt would make for us and the folder we would fall back to, both open to
// everyone, with the lock file held. We start all the same.
TEST_F(SingleCopy, AnotherUsersLockInTheTemporaryFolderDoesNotStopUs) {
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (::geteuid() != 0 || setpriv.isEmpty())
        GTEST_SKIP() << "acting as another user needs root and setpriv";
    QTemporaryDir shared;
    ASSERT_EQ(::chmod(QFile::encodeName(shared.path()).constData(), 01777), 0);
    const QString runtimeFolder = shared.path() + QStringLiteral("/runtime-") +
                                  QString::fromLocal8Bit(getpwuid(::geteuid())->pw_name);
    const QString ourFolder = shared.path() + QStringLiteral("/quilldex2-%1").arg(::geteuid());
    const QString lockFile = ourFolder + QStringLiteral("/quilldex2.lock");

    QProcess other;
    other.start(setpriv,
                {QStringLiteral("--reuid=4242"), QStringLiteral("--regid=4242"),
                 QStringLiteral("--clear-groups"), QStringLiteral("sh"), QStringLiteral("-c"),
                 QStringLiteral("umask 0 && mkdir \"$1\" \"$2\" && exec 9<>\"$3\" && flock 9 && "
                                "exec sleep 60"),
                 QStringLiteral("sh"), runtimeFolder, ourFolder, lockFile});
    ASSERT_TRUE(other.waitForStarted(5000));
    // Until the other user holds the lock.
    bool held = false;
    for (int i = 0; i < 100 && !held; ++i) {
        const int fd = ::open(QFile::encodeName(lockFile).constData(), O_RDONLY | O_CLOEXEC);
        held = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        if (fd >= 0)
            ::close(fd);
        if (!held)
            QThread::msleep(50);
    }
    ASSERT_TRUE(held) << other.readAllStandardError().toStdString();

    EXPECT_TRUE(keepsRunning(start(shared.path())));
    other.kill();
    other.waitForFinished(5000);
}

} // namespace
