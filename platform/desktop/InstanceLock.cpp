#include "platform/desktop/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace desktop {

namespace {

// Closes a descriptor when it goes out of scope unless released.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
    int release() { return std::exchange(fd, -1); }
};

bool onlyOurs(const struct stat& st) {
    return st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// The folder as a descriptor, created 0700 when missing. Refused (-1) unless it is a directory
// itself, not a link to one, owned by us and closed to everyone else: another user who made it
// first could otherwise hold our lock or swap the lock file for a link. Checking the opened
// descriptor rather than the name leaves no moment to swap the folder in between.
int openOwnFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return -1;
    Fd dir{::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)};
    struct stat st {};
    if (dir.fd < 0 || ::fstat(dir.fd, &st) != 0)
        return -1;
    if (!S_ISDIR(st.st_mode) || !onlyOurs(st) || (st.st_mode & 0700) != 0700)
        return -1;
    return dir.release();
}

// The lock file in the folder, created 0600 when missing; never through a link, never a pipe or
// device that could block or be shared, never someone else's file.
int openLockFile(int dir, const QString& name) {
    const QByteArray file = QFile::encodeName(name);
    Fd fd{::openat(dir, file.constData(),
                   O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600)};
    struct stat st {};
    if (fd.fd < 0 || ::fstat(fd.fd, &st) != 0 || !S_ISREG(st.st_mode) || !onlyOurs(st))
        return -1;
    return fd.release();
}

QString defaultFolder() {
    // Qt gives the runtime folder only when it is ours alone, and nothing when it is not.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime;
    return QDir::tempPath() + QStringLiteral("/quilldex2-%1").arg(::geteuid());
}

} // namespace

InstanceLock::InstanceLock(QString name, QString folder)
    : name_(std::move(name))
    , folder_(std::move(folder)) {}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool InstanceLock::tryAcquire() {
    if (fd_ >= 0)
        return true;
    if (folder_.isEmpty())
        folder_ = defaultFolder();
    const Fd dir{openOwnFolder(folder_)};
    if (dir.fd < 0)
        return true;
    Fd fd{openLockFile(dir.fd, name_)};
    if (fd.fd < 0)
        return true;
    int rc;
    do
        rc = ::flock(fd.fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc != 0)
        return errno != EWOULDBLOCK;
    fd_ = fd.release();
    return true;
}

} // namespace desktop
