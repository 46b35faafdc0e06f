#pragma once
// Power and processor state of the machine, read from /sys and /proc, and
// the system's name.
#include <QString>

namespace platform {

// Remaining battery charge in percent; -1 when there is no battery or its
// charge is not known.
int BatteryPercent(const QString& powerSupplyDir = QStringLiteral("/sys/class/power_supply"));
// The power line: 0 on battery, 1 on mains, 255 when not known.
int PowerLineStatus(const QString& powerSupplyDir = QStringLiteral("/sys/class/power_supply"));
// The disk that holds a folder: the file system of the mount that holds it
// (the longest mount point that is a prefix of its path, in the mount table
// given) and its sizes. A folder that exists always has a disk, even when the
// mount table cannot be read or does not list its root (a chroot).
struct DiskStatus {
    bool exists = false;
    QString fileSystemType;  // empty when the mount table does not tell
    qint64 bytesTotal = 0;
    qint64 bytesFree = 0;
};
DiskStatus DiskOf(const QString& folder, const QString& mountTable = QStringLiteral("/proc/self/mounts"));

// Load of all the processors together, 0 to 100 percent, over the time since
// the previous call (since the machine started on the first call).
double ProcessorLoad(const QString& procStat = QStringLiteral("/proc/stat"));

// This process's share of the whole machine's processor time, 0 to 100
// percent, over the time since the previous call (since it started on the
// first): its own ticks (/proc/self/stat) over all the processors' ticks.
double ProcessLoad(const QString& ownStat = QStringLiteral("/proc/self/stat"),
                   const QString& procStat = QStringLiteral("/proc/stat"));

// The machine's physical memory (/proc/meminfo): total and available
// bytes, and the share in use in percent.
struct MemoryStatus {
    qint64 totalBytes = 0;
    qint64 availableBytes = 0;
    int loadPercent = 0;
};
MemoryStatus ReadMemoryStatus(const QString& memInfo = QStringLiteral("/proc/meminfo"));

// The running system's name, for the program's "Windows version": the
// PRETTY_NAME of os-release (else NAME and VERSION), "Inconnue" when the
// file does not tell. The default file falls back to /usr/lib/os-release.
QString WindowsVersionName(const QString& osRelease = QStringLiteral("/etc/os-release"));

}  // namespace platform
