#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

const QString kMark = QStringLiteral(".orvanel-tmp.");

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

// A link is replaced in its target, as an editor saving through it would.
QString resolvedTarget(const QString& fileName) {
    QFileInfo info(fileName);
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops) info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

// The process's file-creation mask, read without changing it (another thread
// may be creating a file meanwhile).
mode_t creationMask() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("Umask:")) return mode_t(line.mid(6).trimmed().toUInt(nullptr, 8));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

mode_t modeFor(const QByteArray& target, FileAccess access) {
    if (access == FileAccess::OwnerOnly) return S_IRUSR | S_IWUSR;
    struct stat old;
    if (::stat(target.constData(), &old) == 0) return old.st_mode & 07777;
    return 0666 & ~creationMask();
}

void syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

QString systemReason() { return QString::fromLocal8Bit(std::strerror(errno ? errno : EIO)); }

}  // namespace

// Each step is checked: the bytes must be written and synced before the
// temporary file takes the name.
bool WriteFileAtomically(const QString& fileName, const std::function<bool(int fd)>& write, QString* error,
                         FileAccess access) {
    const QString targetName = resolvedTarget(fileName);
    const QByteArray target = QFile::encodeName(targetName);
    QByteArray temporary = target + QFile::encodeName(kMark) + QByteArray::number(::getpid()) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    auto failed = [&](bool created) {
        const QString reason = systemReason();
        if (created) ::unlink(temporary.constData());
        if (error) *error = reason;
        return false;
    };
    if (fd < 0) return failed(false);
    errno = 0;
    bool written = ::fchmod(fd, modeFor(target, access)) == 0 && write(fd) && ::fsync(fd) == 0;
    const int reason = errno;
    written = ::close(fd) == 0 && written;  // a close that fails says why itself
    if (!written && reason) errno = reason;
    if (!written) return failed(true);
    if (::rename(temporary.constData(), target.constData()) != 0) return failed(true);
    syncFolder(QFile::encodeName(QFileInfo(targetName).absolutePath()));
    return true;
}

bool WriteFileAtomically(const QString& fileName, const QByteArray& bytes, QString* error, FileAccess access) {
    return WriteFileAtomically(fileName, [&bytes](int fd) { return writeAll(fd, bytes); }, error, access);
}

int RemoveStrayTemporaryFiles(const QString& folder) {
    int removed = 0;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({u'*' + kMark + u'*'}, QDir::Files | QDir::Hidden | QDir::System)) {
        // "<target>.orvanel-tmp.<pid>.<random>"
        const QStringView rest = QStringView(name).mid(name.lastIndexOf(kMark) + kMark.size());
        bool isNumber = false;
        const qint64 pid = rest.left(rest.indexOf(u'.')).toLongLong(&isNumber);
        if (!isNumber || pid <= 0 || pid == ::getpid()) continue;
        const bool gone = ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
        if (gone && QFile::remove(dir.filePath(name))) ++removed;
    }
    return removed;
}

}  // namespace platform
