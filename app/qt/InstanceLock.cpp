#include "app/qt/InstanceLock.h"

#include "common/Cp1252.h"

#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

std::string InstanceLockPath(const std::string& applicationTitle)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString name = QStringLiteral("celestrix-%1.lock").arg(QString::fromStdString(Cp1252ToUtf8(applicationTitle)));
    return QDir(folder).filePath(name).toStdString();
}

// A lock that cannot be made at all (no runtime folder, a name too long for
// the file system) stops no one.
InstanceLock::InstanceLock(const std::string& applicationTitle)
{
    fd_ = ::open(InstanceLockPath(applicationTitle).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0)
        return;
    int result;
    do {
        result = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        heldByAnother_ = errno == EWOULDBLOCK;
        ::close(fd_);
        fd_ = -1;
    }
}

InstanceLock::~InstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}
