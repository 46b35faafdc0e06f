// File dates, file signatures, disks, file listings and the power state.
#include "core/Params.h"
#include "core/RunState.h"
#include "engine/mdlfnct.h"
#include "engine/Runner.h"
#include "platform/SystemStatus.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QScopeGuard>
#include <QTextStream>
#include <QTimeZone>

namespace mdlfnct {

namespace {
const QDateTime kEpoch(QDate(1899, 12, 30), QTime(0, 0));

QStringList masksOf(const QString& masks) {
    QStringList out;
    for (const QString& m : masks.split(u';'))
        if (!m.trimmed().isEmpty()) out << m.trimmed();
    return out;
}

// The entries a classic search with these attributes finds: plain files
// always, hidden (dot) entries and folders only when asked for.
QFileInfoList matching(const QString& folder, const QString& mask, int attributes) {
    QDir::Filters filters = QDir::Files | QDir::NoDotAndDotDot | QDir::System;
    if (attributes & 2) filters |= QDir::Hidden;
    if (attributes & 16) filters |= QDir::Dirs;
    return QDir(folder).entryInfoList({mask}, filters, QDir::Name);
}

QString withoutTrailingSlash(QString folder) {
    if (folder.size() > 1 && folder.endsWith(u'/')) folder.chop(1);
    return folder;
}

bool appendLine(const QString& outputFile, const QString& line) {
    QFile out(outputFile);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) return false;
    QTextStream(&out) << line << '\n';
    return true;
}
}  // namespace

QFileInfo FirstFileMatch(const QString& mask) {
    const QFileInfo info(mask);
    if (info.fileName().isEmpty()) return QFileInfo();
    if (info.exists()) return info;  // a name holding "[" is no pattern
    QDir dir = info.absoluteDir();
    const QFileInfoList found = dir.entryInfoList({info.fileName()}, QDir::AllEntries | QDir::Hidden | QDir::System |
                                                                         QDir::NoDotAndDotDot, QDir::Name);
    return found.isEmpty() ? QFileInfo() : found.first();
}

double DateTimeToNumber(const QDateTime& when) {
    if (!when.isValid()) return 0;
    const QDateTime local = when.toLocalTime();
    return double(kEpoch.date().daysTo(local.date())) + double(QTime(0, 0).msecsTo(local.time())) / 86400000.0;
}

double FileTimeToDateTime(qint64 fileTime) {
    const QDateTime utc = QDateTime(QDate(1601, 1, 1), QTime(0, 0), Qt::UTC).addMSecs(fileTime / 10000);
    return DateTimeToNumber(utc);
}

double FileModifiedDate(const QString& mask) {
    const QFileInfo f = FirstFileMatch(mask);
    return f.exists() ? DateTimeToNumber(f.lastModified()) : 0;
}

double FileAccessDate(const QString& mask) {
    const QFileInfo f = FirstFileMatch(mask);
    return f.exists() ? DateTimeToNumber(f.lastRead()) : 0;
}

double FileDate(const QString& mask) {
    const QFileInfo f = FirstFileMatch(mask);
    if (!f.exists()) return 0;
    QDateTime t = f.lastModified().toLocalTime();
    t.setTime(QTime(t.time().hour(), t.time().minute(), t.time().second() / 2 * 2));
    return DateTimeToNumber(t);
}

// A file of one or two bytes is judged by what it holds (a two-byte mark is
// a valid empty UTF-16 text) instead of failing.
int DetectFileEncoding(const QString& fileName) {
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray b = f.read(3);
    if (b.startsWith("\xEF\xBB\xBF")) return 1;
    if (b.startsWith("\xFF\xFE")) return 2;
    if (b.startsWith("\xFE\xFF")) return 3;
    if (b.startsWith("{\\r")) return 4;
    if (b.startsWith("\xD0\xCF\x11")) return 5;
    return 0;
}

QString DiskInfo(const QString& drive, int mode) {
    if (!drive.startsWith(u'/')) {
        if (Runner) Runner->RaiseExecError(QStringLiteral("Lettre de lecteur invalide."), 0);
        return QString();
    }
    const platform::DiskStatus disk = platform::DiskOf(drive);
    switch (mode) {
    case 0: {
        if (!disk.exists) return QStringLiteral("Does not exist");
        const QString& fs = disk.fileSystemType;
        if (fs == "nfs" || fs == "nfs4" || fs == "cifs" || fs == "smb3" || fs.startsWith("fuse.sshfs"))
            return QStringLiteral("Remote or Network Drive");
        if (fs == "iso9660" || fs == "udf") return QStringLiteral("CD-ROM Drive");
        if (fs == "tmpfs" || fs == "ramfs") return QStringLiteral("RAM Drive");
        if (fs == "vfat" || fs == "exfat") return QStringLiteral("Removable Drive (Floppy)");
        return QStringLiteral("Fixed Disk");
    }
    case 1:
    case 2: {
        const qint64 bytes = mode == 1 ? disk.bytesTotal : disk.bytesFree;
        return QString::number(double(qMax<qint64>(0, bytes)) / 1000000.0, 'f', 2);
    }
    default: return QString();
    }
}

namespace {
// Set while a search started by a run walks: it ends as soon as the run stops
// (Esc, Stop, a signal), however large the tree.
bool walkInRun = false;
bool walkStopped() { return walkInRun && !RunState().MacroRunning; }
}  // namespace

void AppendMatchingFiles(const QString& folder, const QString& masks, int attributes, const QString& outputFile) {
    const QString dir = withoutTrailingSlash(folder);
    for (const QString& mask : masksOf(masks)) {
        for (const QFileInfo& f : matching(dir, mask, attributes)) {
            QCoreApplication::processEvents();
            if (walkStopped()) return;
            if (!f.isDir()) appendLine(outputFile, (dir == QLatin1String("/") ? QString() : dir) + u'/' + f.fileName());
        }
    }
}

void ListFilesByMasks(const QString& folder, const QString& masks, int attributes, QStringList& list) {
    list.clear();
    const QString dir = withoutTrailingSlash(folder);
    for (const QString& mask : masksOf(masks)) {
        for (const QFileInfo& f : matching(dir, mask, attributes)) {
            QCoreApplication::processEvents();
            if (!f.isDir()) list << (dir == QLatin1String("/") ? QString() : dir) + u'/' + f.fileName();
        }
    }
}

void FindFilesRecursive(int depth, const QString& folder, const QString& masks, const QString& outputFile,
                        bool recurse, int attributes) {
    if (depth == 0) walkInRun = RunState().MacroRunning;
    const auto walked = qScopeGuard([depth] {
        if (depth == 0) walkInRun = false;
    });
    const QString dir = withoutTrailingSlash(folder);
    AppendMatchingFiles(dir, masks, attributes, outputFile);
    const QFileInfoList subfolders =
        QDir(dir).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                                QDir::Name);
    for (const QFileInfo& sub : subfolders) {
        if (walkStopped()) return;
        if (recurse) FindFilesRecursive(depth + 1, sub.absoluteFilePath(), masks, outputFile, recurse, attributes);
        QCoreApplication::processEvents();
    }
}

bool SetPowerState(bool suspend, bool force) { return platform::desktop().SetSystemPowerState(suspend, force); }

}  // namespace mdlfnct
