// quilldex2-readings where its input cannot be held: an error and a status, never an abort.
#include "tools/readings/ExitStatus.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

using readings::ExitStatus;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true; // the sanitizer's allocator reserves far more than the limit
#else
constexpr bool kSanitized = false;
#endif

TEST(ReadingsFailures, EndlessLineUnderAMemoryLimitIsAnError) {
    if (kSanitized)
        GTEST_SKIP() << "no memory limit under AddressSanitizer";
    QProcess process;
    // 400 MB of address space: the program and its libraries fit, /dev/zero's one line does not.
    process.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"),
                   QStringLiteral("ulimit -v 400000 && exec \"$0\" </dev/zero"),
                   QStringLiteral(QX_READINGS_PROGRAM)});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), readings::code(ExitStatus::OutOfMemory));
    EXPECT_TRUE(process.readAllStandardError().contains("out of memory"));
    EXPECT_EQ(process.readAllStandardOutput(), QByteArray());
}

} // namespace
