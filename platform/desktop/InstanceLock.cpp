#include "platform/desktop/InstanceLock.h"

#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace desktop {

namespace {

QString defaultFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/quilldex2-%1").arg(getuid());
    return folder;
}

} // namespace

InstanceLock::InstanceLock(QString name, QString folder) {
    if (folder.isEmpty())
        folder = defaultFolder();
    QDir().mkpath(folder);
    path_ = folder + u'/' + name;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool InstanceLock::tryAcquire() {
    if (fd_ >= 0)
        return true;
    const QByteArray file = QFile::encodeName(path_);
    const int fd = ::open(file.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;
    int rc;
    do
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        return !heldElsewhere;
    }
    fd_ = fd;
    return true;
}

} // namespace desktop
