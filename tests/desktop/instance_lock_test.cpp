#include "platform/desktop/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using desktop::InstanceLock;

const QString kName = QStringLiteral("quilldex2.lock");
constexpr uid_t kOtherUser = 4242; // needs no account: only the number is stored

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::lstat(native(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(InstanceLock, MissingFolderIsMadeOursAndTheSecondCopyIsRefused) {
    QTemporaryDir base;
    const QString folder = base.path() + QStringLiteral("/locks");
    auto first = std::make_unique<InstanceLock>(kName, folder);
    ASSERT_TRUE(first->tryAcquire());
    EXPECT_EQ(modeOf(folder), 0700u);
    EXPECT_FALSE(InstanceLock(kName, folder).tryAcquire());
    first.reset();
    EXPECT_TRUE(InstanceLock(kName, folder).tryAcquire());
}

// Each place was prepared by someone else before our start. Whatever they did, we start (the
// lock counts as free) and create nothing outside a folder of our own.
struct UnsafePlace {
    const char* what;
    bool needsRoot;
    // Prepares the lock's folder under base; returns a file that must still not exist afterwards
    // (empty when there is none), and may hold a lock on the lock file through held.
    std::function<QString(const QString& base, const QString& folder, int& held)> prepare;
};

int holdLock(const QString& file) {
    const int fd = ::open(native(file).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd >= 0)
        ::flock(fd, LOCK_EX | LOCK_NB);
    return fd;
}

void makeFolder(const QString& folder, mode_t mode, uid_t owner = ::geteuid()) {
    ASSERT_EQ(::mkdir(native(folder).constData(), mode), 0);
    ASSERT_EQ(::chmod(native(folder).constData(), mode), 0);
    ASSERT_EQ(::chown(native(folder).constData(), owner, ::getegid()), 0);
}

const UnsafePlace kUnsafePlaces[] = {
    {"folder open to everyone, its lock held", false,
     [](const QString&, const QString& folder, int& held) {
         makeFolder(folder, 0777);
         held = holdLock(folder + u'/' + kName);
         return QString();
     }},
    {"another user's folder, its world-writable lock held", true,
     [](const QString&, const QString& folder, int& held) {
         makeFolder(folder, 0700, kOtherUser);
         held = holdLock(folder + u'/' + kName);
         ::fchmod(held, 0666);
         return QString();
     }},
    {"our folder holding another user's world-writable lock, held", true,
     [](const QString&, const QString& folder, int& held) {
         makeFolder(folder, 0700);
         held = holdLock(folder + u'/' + kName);
         ::fchown(held, kOtherUser, ::getegid());
         ::fchmod(held, 0666);
         return QString();
     }},
    {"folder is a link to a folder in the victim's home", false,
     [](const QString& base, const QString& folder, int&) {
         const QString home = base + QStringLiteral("/home");
         makeFolder(home, 0700);
         QFile::link(home, folder);
         return home + u'/' + kName;
     }},
    {"lock file is a link into the victim's home", false,
     [](const QString& base, const QString& folder, int&) {
         const QString home = base + QStringLiteral("/home");
         makeFolder(home, 0700);
         makeFolder(folder, 0700);
         QFile::link(home + QStringLiteral("/.profile"), folder + u'/' + kName);
         return home + QStringLiteral("/.profile");
     }},
};

TEST(InstanceLock, PlacesOthersCouldHaveMadeAreNotTrusted) {
    for (const UnsafePlace& place : kUnsafePlaces) {
        SCOPED_TRACE(place.what);
        if (place.needsRoot && ::geteuid() != 0)
            continue; // only root can give a file to another user
        QTemporaryDir base;
        const QString folder = base.path() + QStringLiteral("/locks");
        int held = -1;
        const QString mustNotExist = place.prepare(base.path(), folder, held);
        EXPECT_TRUE(InstanceLock(kName, folder).tryAcquire());
        if (!mustNotExist.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(mustNotExist));
        }
        if (held >= 0)
            ::close(held);
    }
}

} // namespace
