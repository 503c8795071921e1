#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// Real copies of the program on the offscreen platform, sharing one runtime folder as one user's
// copies do.
struct SingleCopy : ::testing::Test {
    QTemporaryDir runtime;
    std::vector<std::unique_ptr<QProcess>> copies;

    QProcess& start() {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
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

} // namespace
