#include "platform/LaunchFile.h"

#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace platform {

namespace {
const QDate kDayZero(1899, 12, 30);
const double kDayAfterLast = double(kDayZero.daysTo(QDate(9999, 12, 31)) + 1);

bool inRange(double value, double below) { return value >= 0 && value < below; }  // false for NaN

QDateTime startOf(const TLaunchRecord& r) {
    return QDateTime(fromLaunchTime(r.startDate()).date(), fromLaunchTime(r.timeOfDay()).time());
}

// Occurrence n of a repeated record: its start date moved by n steps, at its time of day.
QDateTime occurrence(const QDateTime& start, uint8_t frequency, qint64 n) {
    const QDate d = start.date();
    const QDate day = frequency == LaunchDaily    ? d.addDays(n)
                      : frequency == LaunchWeekly ? d.addDays(7 * n)
                                                  : d.addMonths(int(n));  // Qt keeps to the month's last day
    return QDateTime(day, start.time());
}

// Desktop entry quoting: the argument rules, then the string rules.
QString quoteExec(const QString& program) {
    QString arg;
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') arg += u'\\';
        arg += c;
    }
    arg.replace(u'\\', QStringLiteral("\\\\")).replace(u'%', QStringLiteral("%%"));
    return u'"' + arg + u'"';
}

QString unquoteExec(QString value) {
    value.replace(QStringLiteral("\\\\"), QStringLiteral("\\")).replace(QStringLiteral("%%"), QStringLiteral("%"));
    if (!value.startsWith(u'"')) return value.section(u' ', 0, 0);
    QString arg;
    for (qsizetype i = 1; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) arg += value[++i];
        else if (value[i] == u'"') break;
        else arg += value[i];
    }
    return arg;
}
}  // namespace

TLaunchRecord TLaunchRecord::fromBytes(const char* bytes) {
    TLaunchRecord r;
    std::memcpy(r.bytes_.data(), bytes, Size);
    return r;
}

QString TLaunchRecord::path() const {
    const int length = uint8_t(bytes_[0]);
    return fromCp1252(bytes_.constData() + 1, length);
}

bool TLaunchRecord::setPath(const QString& path) {
    const QByteArray encoded = toCp1252(path);
    if (encoded.size() > MaxPathBytes) return false;
    bytes_[0] = char(encoded.size());
    std::memcpy(bytes_.data() + 1, encoded.constData(), size_t(encoded.size()));
    return true;
}

quint32 TLaunchRecord::shortcut() const {
    return qFromLittleEndian<quint16>(bytes_.constData() + 296) | (bytes_[298] == 1 ? 0x10000u : 0u);
}

void TLaunchRecord::setShortcut(quint32 value) {
    qToLittleEndian(quint16(value & 0xFFFF), bytes_.data() + 296);
    bytes_[298] = value & 0x10000 ? 1 : 0;
}

double TLaunchRecord::number(int offset) const {
    const quint64 bits = qFromLittleEndian<quint64>(bytes_.constData() + offset);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void TLaunchRecord::setNumber(int offset, double value) {
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, bytes_.data() + offset);
}

bool TLaunchRecord::datesSound() const {
    return inRange(startDate(), kDayAfterLast) && inRange(timeOfDay(), kDayAfterLast) && inRange(nextRun(), kDayAfterLast);
}

QString launchFilePath() { return programFile(QStringLiteral("Launch.dat")); }

bool ReadLaunchRecords(const QString& fileName, TLaunchList& records, QString* error, qint64* leftOver, int* damaged) {
    records.clear();
    if (damaged) *damaged = 0;
    QFile file(fileName);
    if (!file.exists() && !WriteFileAtomically(fileName, QByteArray(), error)) return false;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    for (qsizetype at = 0; at + TLaunchRecord::Size <= bytes.size(); at += TLaunchRecord::Size) {
        const TLaunchRecord r = TLaunchRecord::fromBytes(bytes.constData() + at);
        if (r.datesSound()) records.append(r);
        else if (damaged) ++*damaged;
    }
    if (leftOver) *leftOver = bytes.size() % TLaunchRecord::Size;
    return true;
}

QString LaunchRecordsLeftOut(const QString& file, qint64 leftOver, int damaged) {
    QStringList parts;
    if (damaged)
        parts << QStringLiteral("%1 enregistrement(s) abîmé(s) (date impossible) laissé(s) de côté").arg(damaged);
    if (leftOver)
        parts << QStringLiteral("un enregistrement incomplet (%1 octets) à la fin, laissé de côté").arg(leftOver);
    return parts.isEmpty() ? QString() : QStringLiteral("« %1 » : %2.").arg(file, parts.join(QStringLiteral(" ; ")));
}

bool WriteLaunchRecords(const QString& file, const TLaunchList& records, QString* error) {
    QByteArray bytes;
    bytes.reserve(records.size() * TLaunchRecord::Size);
    for (const TLaunchRecord& r : records) bytes += r.bytes();
    return WriteFileAtomically(file, bytes, error);
}

double toLaunchTime(const QDate& day) { return double(kDayZero.daysTo(day)); }

double toLaunchTime(const QDateTime& when) {
    return toLaunchTime(when.date()) + when.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime fromLaunchTime(double value) {
    if (!inRange(value, kDayAfterLast)) return QDateTime();  // no day to convert to
    const double days = std::floor(value);
    qint64 ms = std::llround((value - days) * 86400000.0);
    QDate day = kDayZero.addDays(qint64(days));
    if (ms >= 86400000) {
        day = day.addDays(1);
        ms = 0;
    }
    return QDateTime(day, QTime::fromMSecsSinceStartOfDay(int(ms)));
}

double ComputeNextRun(const TLaunchRecord& record, const QDateTime& now) {
    if (record.kind() != LaunchAtTime) return 0;
    const QDateTime start = startOf(record);
    const uint8_t frequency = record.frequency();
    if (frequency == LaunchOnce || frequency > LaunchMonthly) return toLaunchTime(start);
    // A guess just before now, then the first occurrence that is not before it.
    qint64 n = 0;
    if (start < now) {
        const qint64 days = start.date().daysTo(now.date());
        n = frequency == LaunchDaily    ? days - 1
            : frequency == LaunchWeekly ? days / 7 - 1
                                        : (now.date().year() - start.date().year()) * 12 +
                                              now.date().month() - start.date().month() - 1;
        n = qMax<qint64>(0, n);
    }
    while (occurrence(start, frequency, n) < now) ++n;
    return toLaunchTime(occurrence(start, frequency, n));
}

QString autostartEntryPath(const QString& name) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart/") +
           name + QStringLiteral(".desktop");
}

bool SetSchedulerAutostart(const QString& program, bool enable, QString* error) {
    const QFileInfo exe(program);
    const QString entry = autostartEntryPath(exe.completeBaseName());
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (!exe.isFile()) return fail(QStringLiteral("Le programme « %1 » est introuvable.").arg(program));
    if (!enable) {
        QFile file(entry);
        return !file.exists() || file.remove() || fail(file.errorString());
    }
    if (!QDir().mkpath(QFileInfo(entry).path()))
        return fail(QStringLiteral("Le dossier « %1 » ne peut pas être créé.").arg(QFileInfo(entry).path()));
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\nTerminal=false\n")
                             .arg(exe.completeBaseName(), quoteExec(exe.absoluteFilePath()));
    return WriteFileAtomically(entry, text.toUtf8(), error);
}

bool SchedulerAutostartExists(const QString& name) {
    QFile file(autostartEntryPath(name));
    if (!file.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith("Exec=")) {
            const QString program = unquoteExec(QString::fromUtf8(line.mid(5)).trimmed());
            return !program.isEmpty() && QFileInfo(program).isFile();
        }
    return false;
}

}  // namespace platform
