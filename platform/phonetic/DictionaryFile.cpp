#include "platform/phonetic/DictionaryFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace phonetic {

namespace {

FileAccess fromErrno(int error) {
    return error == ENOENT || error == ENOTDIR ? FileAccess::Absent : FileAccess::Unreadable;
}

} // namespace

int openRegularFile(const QString& path, FileAccess& access) {
    const QByteArray name = QFile::encodeName(path);
    // Some devices act on being opened: nothing but a regular file is opened at all. The check
    // after opening covers a file swapped in between.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        access = fromErrno(errno);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        access = FileAccess::NotRegular;
        return -1;
    }
    int fd;
    do
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        access = fromErrno(errno);
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        access = FileAccess::NotRegular;
        ::close(fd);
        return -1;
    }
    access = FileAccess::Readable;
    return fd;
}

FileAccess probeFile(const QString& path) {
    FileAccess access;
    const int fd = openRegularFile(path, access);
    if (fd >= 0)
        ::close(fd);
    return access;
}

} // namespace phonetic
