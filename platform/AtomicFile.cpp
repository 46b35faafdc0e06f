#include "platform/AtomicFile.h"

#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace platform {

namespace {
// Straight to the file, unbuffered: a write that fails (after a partial one,
// say) leaves the system's reason in errno.
bool writeAll(int fd, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}
}  // namespace

// Each step is checked: the bytes must be written and synced before the
// temporary file takes the name.
bool WriteFileAtomically(const QString& fileName, const std::function<bool(int fd)>& write, QString* error) {
    QSaveFile file(fileName);
    QString reason;
    if (!file.open(QIODevice::WriteOnly))
        reason = file.errorString();
    else if (errno = 0; !write(file.handle()) || ::fsync(file.handle()) != 0)
        reason = QString::fromLocal8Bit(std::strerror(errno ? errno : EIO));
    else if (!file.commit())
        reason = file.errorString();
    else
        return true;
    if (error) *error = reason;
    return false;  // the temporary file goes with `file`
}

bool WriteFileAtomically(const QString& fileName, const QByteArray& bytes, QString* error) {
    return WriteFileAtomically(fileName, [&bytes](int fd) { return writeAll(fd, bytes); }, error);
}

}  // namespace platform
