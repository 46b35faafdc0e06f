#pragma once
// Launch triggers: "Launch.dat" in the program folder, shared by the editor
// (which writes it) and the scheduler "OrvanelLaunch" (which reads it and
// starts the macros). The file is the records one after another, 304 bytes
// each, little-endian, no header.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>
#include <cstdint>

namespace platform {

enum LaunchKind : uint8_t { LaunchAtTime = 1, LaunchOnShortcut = 2 };
enum LaunchFrequency : uint8_t { LaunchOnce = 0, LaunchDaily = 1, LaunchWeekly = 2, LaunchMonthly = 3 };

// One record, kept as its bytes so that what is read is written back
// unchanged, padding included. A new record is all zeros.
class TLaunchRecord {
public:
    static constexpr int Size = 304;
    static constexpr int MaxPathBytes = 255;
    TLaunchRecord() : bytes_(Size, '\0') {}
    // The record of those bytes (at least Size of them).
    static TLaunchRecord fromBytes(const char* bytes);

    QString path() const;
    // False, and nothing changed, when the path takes more than 255 bytes.
    bool setPath(const QString& path);
    uint8_t kind() const { return uint8_t(bytes_[256]); }
    void setKind(uint8_t kind) { bytes_[256] = char(kind); }
    // Date-times are days since 30 December 1899, the fraction the time of day.
    double startDate() const { return number(264); }
    void setStartDate(double days) { setNumber(264, days); }
    double timeOfDay() const { return number(272); }
    void setTimeOfDay(double fraction) { setNumber(272, fraction); }
    uint8_t frequency() const { return uint8_t(bytes_[280]); }
    void setFrequency(uint8_t frequency) { bytes_[280] = char(frequency); }
    double nextRun() const { return number(288); }
    void setNextRun(double when) { setNumber(288, when); }
    // Virtual-key code + 0x2000 Shift + 0x4000 Ctrl + 0x8000 Alt + 0x10000
    // Win. The 16-bit field at 296 holds the first four; Win is the byte
    // after it set to 1 (padding elsewhere: any other value there is none).
    quint32 shortcut() const;
    void setShortcut(quint32 value);

    const QByteArray& bytes() const { return bytes_; }
    // Its three date-times are real days between 30 December 1899 and 31
    // December 9999: a record that fails this is damaged.
    bool datesSound() const;

private:
    double number(int offset) const;
    void setNumber(int offset, double value);
    QByteArray bytes_;
};
using TLaunchList = QVector<TLaunchRecord>;

// "Launch.dat" of the program folder.
QString launchFilePath();
// Every whole record of the file whose dates are sound, in file order; the
// damaged ones are left out (their count in *damaged), as are the bytes after
// the last whole record (their count in *leftOver). A missing file is created
// empty. False, with the system's reason, when the file cannot be read or
// created.
bool ReadLaunchRecords(const QString& file, TLaunchList& records, QString* error = nullptr, qint64* leftOver = nullptr,
                       int* damaged = nullptr);
// What is said of the records left out of the file: "" when none.
QString LaunchRecordsLeftOut(const QString& file, qint64 leftOver, int damaged);
// Replaces the file in one step, so that a reader never sees half of it.
bool WriteLaunchRecords(const QString& file, const TLaunchList& records, QString* error = nullptr);

// Date-times as the records hold them, and back (local time, no zone).
double toLaunchTime(const QDateTime& when);
double toLaunchTime(const QDate& day);
QDateTime fromLaunchTime(double value);

// The next run of a timed record that is not before now: its start date and
// time of day, then each day, week or calendar month counted from the start
// date (a day the month lacks falls on its last day). 0 for a shortcut record.
double ComputeNextRun(const TLaunchRecord& record, const QDateTime& now);

// The scheduler's start at log-in: a desktop autostart entry
// ("~/.config/autostart/<name>.desktop") that starts the program. False when
// the program does not exist or the entry could not be written or removed.
bool SetSchedulerAutostart(const QString& program, bool enable, QString* error = nullptr);
// The entry of that name exists and the program it starts exists.
bool SchedulerAutostartExists(const QString& name);
QString autostartEntryPath(const QString& name);

}  // namespace platform
