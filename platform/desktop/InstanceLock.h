#pragma once

#include <QString>

namespace desktop {

// Tells whether another copy of the program runs for this user. The lock is an flock on a file in
// a folder only this user can reach: the kernel drops it when the process ends in any way, so a
// copy that was killed never blocks the next start, and two copies started together cannot both
// win. A folder or file that someone else could have placed or holds is never trusted.
class InstanceLock {
public:
    // name: the lock file's name within the folder; folder: empty for the user's runtime folder,
    // or a folder of our own in the temporary folder when there is no usable runtime folder.
    explicit InstanceLock(QString name, QString folder = {});
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock for the life of this object. False when another copy holds it. No safe
    // place for the lock counts as no other copy running: the program starts rather than refuse.
    bool tryAcquire();

private:
    QString name_;
    QString folder_;
    int fd_ = -1;
};

} // namespace desktop
