#include "platform/Trash.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace platform {

namespace {

bool fail(QString* error, const QString& text) {
    if (error) *error = text;
    return false;
}

// A file, a symbolic link (as a link) or a whole folder.
bool copyTree(const QString& from, const QString& to) {
    const QFileInfo info(from);
    if (info.isSymLink()) {
        QByteArray target(4096, '\0');
        const ssize_t n = readlink(QFile::encodeName(from).constData(), target.data(), size_t(target.size()));
        return n >= 0 && symlink(target.left(n).constData(), QFile::encodeName(to).constData()) == 0;
    }
    if (!info.isDir()) return QFile::copy(from, to);
    if (!QDir().mkdir(to)) return false;
    const QStringList entries =
        QDir(from).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (!copyTree(from + u'/' + e, to + u'/' + e)) return false;
    return true;
}

bool removeTree(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink() ? QDir(path).removeRecursively() : QFile::remove(path);
}

// "name.txt", then "name (2).txt", "name (3).txt"...
QString candidateName(const QString& name, int n) {
    if (n == 1) return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const bool suffix = dot > 0;
    return (suffix ? name.left(dot) : name) + QStringLiteral(" (%1)").arg(n) + (suffix ? name.mid(dot) : QString());
}

}  // namespace

QString HomeTrash() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || !QDir::isAbsolutePath(data)) data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/Trash");
}

bool MoveToTrash(const QString& path, QString* error, const QString& trash) {
    const QFileInfo item(path);
    if (!item.exists() && !item.isSymLink()) return fail(error, QStringLiteral("« %1 » n'existe pas.").arg(path));
    const QString source = item.absoluteFilePath();
    const QString trashRoot = QDir::cleanPath(trash);
    if (source == QLatin1String("/") || source == trashRoot || source.startsWith(trashRoot + u'/'))
        return fail(error, QStringLiteral("« %1 » ne peut pas aller dans la corbeille.").arg(source));
    const QString files = trashRoot + QStringLiteral("/files"), info = trashRoot + QStringLiteral("/info");
    if (!QDir().mkpath(files) || !QDir().mkpath(info))
        return fail(error, QStringLiteral("Impossible de créer la corbeille %1.").arg(trashRoot));
    QFile::setPermissions(trashRoot, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // The info file is made first, and only when its name is free: it reserves the name.
    QFile infoFile;
    QString name;
    for (int n = 1;; ++n) {
        name = candidateName(item.fileName(), n);
        if (QFileInfo::exists(files + u'/' + name) || QFileInfo(files + u'/' + name).isSymLink()) continue;
        infoFile.setFileName(info + u'/' + name + QStringLiteral(".trashinfo"));
        if (infoFile.open(QIODevice::WriteOnly | QIODevice::NewOnly)) break;
        if (infoFile.exists()) continue;
        return fail(error, QStringLiteral("Impossible d'écrire dans la corbeille : %1").arg(infoFile.errorString()));
    }
    const QByteArray record = "[Trash Info]\nPath=" + QUrl::toPercentEncoding(source, "/") + "\nDeletionDate=" +
                              QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() +
                              "\n";
    const bool written = infoFile.write(record) == record.size();
    infoFile.close();
    const QString target = files + u'/' + name;
    auto undo = [&](const QString& why) {
        QFile::remove(infoFile.fileName());
        return fail(error, why);
    };
    if (!written) return undo(QStringLiteral("Impossible d'écrire dans la corbeille : %1").arg(infoFile.errorString()));
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0) return true;
    if (errno != EXDEV) return undo(QStringLiteral("« %1 » : %2").arg(source, QString::fromLocal8Bit(strerror(errno))));
    // Another file system: the copy must be whole before the item goes.
    if (!copyTree(source, target)) {
        removeTree(target);
        return undo(QStringLiteral("Impossible de copier « %1 » dans la corbeille.").arg(source));
    }
    if (!removeTree(source))
        return fail(error,
                    QStringLiteral("« %1 » est copié dans la corbeille mais n'a pas pu être retiré.").arg(source));
    return true;
}

}  // namespace platform
