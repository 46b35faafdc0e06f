#include "platform/SystemStatus.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <sys/statvfs.h>

namespace platform {

namespace {

// A mount point as the mount table writes it: blanks and backslashes as octal escapes.
QString unescapeMountPoint(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QString::fromLocal8Bit(out);
}

QString readLine(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromLatin1(f.readLine()).trimmed();
}

// The power supplies of one type ("Battery", "Mains"), as their folders.
QStringList supplies(const QString& dir, const QString& type) {
    QStringList out;
    const QDir d(dir);
    for (const QString& name : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (readLine(d.filePath(name + QStringLiteral("/type"))) == type) out << d.filePath(name);
    return out;
}

struct CpuTimes {
    quint64 busy = 0, total = 0;
};

// The first line of /proc/stat adds up every processor.
bool readCpuTimes(const QString& path, CpuTimes& t) {
    const QStringList f = readLine(path).split(u' ', Qt::SkipEmptyParts);
    if (f.size() < 5 || f[0] != QLatin1String("cpu")) return false;
    t = {};
    for (qsizetype i = 1; i < f.size() && i <= 8; ++i) {  // user .. steal; guest is inside user
        const quint64 v = f[i].toULongLong();
        t.total += v;
        if (i != 4 && i != 5) t.busy += v;  // idle and iowait are not load
    }
    return true;
}

}  // namespace

DiskStatus DiskOf(const QString& folder, const QString& mountTable) {
    DiskStatus disk;
    const QString path = QFileInfo(folder).canonicalFilePath();
    disk.exists = !path.isEmpty();
    if (!disk.exists) return disk;
    QFile table(mountTable);
    qsizetype best = -1;
    if (table.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : table.readAll().split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() < 3) continue;
            const QString point = unescapeMountPoint(f[1]);
            const bool holds = point == u"/" || path == point || path.startsWith(point + u'/');
            if (holds && point.size() > best) {
                best = point.size();
                disk.fileSystemType = QString::fromLatin1(f[2]);
            }
        }
    }
    struct statvfs s {};
    if (statvfs(QFile::encodeName(path).constData(), &s) == 0) {
        disk.bytesTotal = qint64(s.f_blocks) * qint64(s.f_frsize);
        disk.bytesFree = qint64(s.f_bavail) * qint64(s.f_frsize);
    }
    return disk;
}

int BatteryPercent(const QString& powerSupplyDir) {
    for (const QString& battery : supplies(powerSupplyDir, QStringLiteral("Battery"))) {
        bool ok = false;
        const int percent = readLine(battery + QStringLiteral("/capacity")).toInt(&ok);
        if (ok) return std::clamp(percent, 0, 100);
    }
    return -1;
}

int PowerLineStatus(const QString& powerSupplyDir) {
    const QStringList mains = supplies(powerSupplyDir, QStringLiteral("Mains"));
    for (const QString& m : mains)
        if (readLine(m + QStringLiteral("/online")) == QLatin1String("1")) return 1;
    if (!mains.isEmpty()) return 0;
    for (const QString& battery : supplies(powerSupplyDir, QStringLiteral("Battery"))) {
        const QString status = readLine(battery + QStringLiteral("/status"));
        if (status == QLatin1String("Discharging")) return 0;
        if (!status.isEmpty()) return 1;
    }
    return 255;
}

double ProcessorLoad(const QString& procStat) {
    static QString lastPath;
    static CpuTimes last;
    static QElapsedTimer lastTaken;
    static double lastLoad = 0;
    CpuTimes now;
    if (!readCpuTimes(procStat, now)) return 0;
    auto load = [](quint64 busy, quint64 total) { return total ? std::clamp(100.0 * busy / total, 0.0, 100.0) : 0.0; };
    if (lastPath != procStat || !lastTaken.isValid() || now.total < last.total || now.busy < last.busy) {
        lastLoad = load(now.busy, now.total);  // first look: the load since the machine started
    } else if (lastTaken.elapsed() < 20 || now.total == last.total) {
        return lastLoad;  // too soon to tell anything new
    } else {
        lastLoad = load(now.busy - last.busy, now.total - last.total);
    }
    lastPath = procStat;
    last = now;
    lastTaken.start();
    return lastLoad;
}

double ProcessLoad(const QString& ownStat, const QString& procStat) {
    static QString lastPaths;
    static quint64 lastOwn = 0, lastTotal = 0;
    CpuTimes machine;
    if (!readCpuTimes(procStat, machine)) return 0;
    // utime and stime: the 12th and 13th fields after the command's closing parenthesis.
    const QString line = readLine(ownStat);
    const QStringList f = line.mid(line.lastIndexOf(u')') + 1).split(u' ', Qt::SkipEmptyParts);
    if (f.size() < 13) return 0;
    const quint64 own = f[11].toULongLong() + f[12].toULongLong();
    const QString paths = ownStat + u'\n' + procStat;
    quint64 ownTicks = own, totalTicks = machine.total;
    if (paths == lastPaths && own >= lastOwn && machine.total > lastTotal) {
        ownTicks = own - lastOwn;
        totalTicks = machine.total - lastTotal;
    }
    lastPaths = paths;
    lastOwn = own;
    lastTotal = machine.total;
    return totalTicks ? std::clamp(100.0 * double(ownTicks) / double(totalTicks), 0.0, 100.0) : 0.0;
}

MemoryStatus ReadMemoryStatus(const QString& memInfo) {
    MemoryStatus m;
    QFile f(memInfo);
    if (!f.open(QIODevice::ReadOnly)) return m;
    qint64 freeBytes = -1;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QList<QByteArray> parts = raw.simplified().split(' ');
        if (parts.size() < 2) continue;
        const qint64 bytes = parts[1].toLongLong() * 1024;
        if (parts[0] == "MemTotal:") m.totalBytes = bytes;
        else if (parts[0] == "MemAvailable:") m.availableBytes = bytes;
        else if (parts[0] == "MemFree:") freeBytes = bytes;
    }
    if (m.availableBytes == 0 && freeBytes > 0) m.availableBytes = freeBytes;  // kernels before 3.14
    m.availableBytes = std::clamp<qint64>(m.availableBytes, 0, m.totalBytes);
    if (m.totalBytes > 0) m.loadPercent = int(100 * (m.totalBytes - m.availableBytes) / m.totalBytes);
    return m;
}

namespace {
// KEY=value lines; values may be quoted, with backslash escapes inside quotes.
QHash<QString, QString> readOsRelease(const QString& path) {
    QHash<QString, QString> keys;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return keys;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype eq = line.indexOf(u'=');
        if (line.startsWith(u'#') || eq <= 0) continue;
        QString value = line.mid(eq + 1);
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
            value = value.mid(1, value.size() - 2);
            static const QRegularExpression escaped(QStringLiteral("\\\\(.)"));
            value.replace(escaped, QStringLiteral("\\1"));
        }
        keys.insert(line.left(eq), value);
    }
    return keys;
}
}  // namespace

QString WindowsVersionName(const QString& osRelease) {
    QHash<QString, QString> keys = readOsRelease(osRelease);
    if (keys.isEmpty() && osRelease == QLatin1String("/etc/os-release"))
        keys = readOsRelease(QStringLiteral("/usr/lib/os-release"));
    if (!keys.value(QStringLiteral("PRETTY_NAME")).isEmpty()) return keys.value(QStringLiteral("PRETTY_NAME"));
    const QString name =
        (keys.value(QStringLiteral("NAME")) + u' ' + keys.value(QStringLiteral("VERSION"))).trimmed();
    return name.isEmpty() ? QStringLiteral("Inconnue") : name;
}

}  // namespace platform
