#pragma once

#include <QString>

// Opening the dictionary's files. A named pipe or device put in a file's place would block the
// first read, and the engine's too; only regular files are ever opened, and without blocking.
namespace phonetic {

enum class FileAccess {
    Absent,     // not there
    NotRegular, // a folder, pipe, device or socket in the file's place
    Unreadable, // there, but it cannot be opened for reading
    Readable,
};

// A read-only descriptor on the regular file at `path` (closed by the caller), or -1 with
// `access` saying why not.
int openRegularFile(const QString& path, FileAccess& access);

// What openRegularFile would find, leaving nothing open.
FileAccess probeFile(const QString& path);

} // namespace phonetic
