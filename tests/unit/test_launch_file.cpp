// Launch triggers: the 304-byte records, the file, the next run with a clock
// of the test's choosing, and the autostart entry of the scheduler.
#include "platform/LaunchFile.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <limits>

using namespace platform;

namespace {
QDateTime at(int y, int m, int d, int h, int min) { return QDateTime(QDate(y, m, d), QTime(h, min)); }

TLaunchRecord timed(const QDateTime& start, uint8_t frequency) {
    TLaunchRecord r;
    r.setKind(LaunchAtTime);
    r.setStartDate(toLaunchTime(start.date()));
    r.setTimeOfDay(toLaunchTime(QDateTime(QDate(1899, 12, 30), start.time())));
    r.setFrequency(frequency);
    return r;
}
}  // namespace

TEST(LaunchRecord, FieldsAtTheirOffsets) {
    TLaunchRecord r;
    ASSERT_TRUE(r.setPath(QStringLiteral("/home/é/a.mcr")));
    r.setKind(LaunchAtTime);
    r.setStartDate(toLaunchTime(QDate(2008, 6, 26)));
    r.setTimeOfDay(toLaunchTime(QDateTime(QDate(1899, 12, 30), QTime(12, 30))));
    r.setFrequency(LaunchMonthly);
    r.setShortcut(0x8041);
    const QByteArray b = r.bytes();
    ASSERT_EQ(b.size(), 304);
    EXPECT_EQ(b.mid(0, 14), QByteArray("\x0d/home/\xe9/a.mcr"));
    EXPECT_EQ(b[256], 1);
    EXPECT_EQ(b.mid(264, 8), QByteArray::fromHex("000000002059e340"));
    EXPECT_EQ(b.mid(272, 8), QByteArray::fromHex("abaaaaaaaaaae03f"));
    EXPECT_EQ(b[280], 3);
    EXPECT_EQ(b.mid(296, 2), QByteArray::fromHex("4180"));
    QByteArray zeros = b;
    for (const auto& [from, size] : {std::pair{0, 14}, {256, 1}, {264, 16}, {280, 1}, {296, 2}})
        zeros.replace(from, size, QByteArray(size, '\0'));
    EXPECT_EQ(zeros, QByteArray(304, '\0'));  // padding and the rest of the path stay zero
    EXPECT_EQ(r.path(), QStringLiteral("/home/é/a.mcr"));
    EXPECT_EQ(r.shortcut(), 0x8041);
    r.setShortcut(0x1C041);  // Win+Ctrl+Alt+A
    EXPECT_EQ(r.bytes().mid(296, 3), QByteArray::fromHex("41c001"));
    EXPECT_EQ(r.shortcut(), 0x1C041u);
    QByteArray padded = r.bytes();
    padded[298] = 'x';  // padding of another writer: no Win
    EXPECT_EQ(TLaunchRecord::fromBytes(padded.constData()).shortcut(), 0xC041u);
}

TEST(LaunchRecord, PathLongerThanTheRecordIsRefused) {
    TLaunchRecord r;
    ASSERT_TRUE(r.setPath(QString(255, u'a')));
    EXPECT_FALSE(r.setPath(QString(256, u'b')));
    EXPECT_EQ(r.path(), QString(255, u'a'));
}

TEST(LaunchFile, RecordsComeBackByteForByteAndAPartialTailIsLeftOut) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Launch.dat");
    TLaunchList none;
    ASSERT_TRUE(ReadLaunchRecords(path, none));  // a missing file is created empty
    EXPECT_TRUE(none.isEmpty());
    EXPECT_TRUE(QFile::exists(path));

    QByteArray bytes;
    for (int i = 0; i < 2; ++i) {
        QByteArray record(304, char(0x40 + i));  // padding that is not zero
        record[0] = 3;
        bytes += record;
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes + QByteArray(100, 'x'));
    file.close();
    TLaunchList records;
    ASSERT_TRUE(ReadLaunchRecords(path, records));
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[1].path(), "AAA");
    ASSERT_TRUE(WriteLaunchRecords(path, {records[1], records[0]}));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes.mid(304) + bytes.left(304));
}

// A record whose dates are no real day (NaN, infinite, out of range) is damaged:
// refused, and the records around it still load.
TEST(LaunchFile, RecordsWithImpossibleDatesAreRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        void (TLaunchRecord::*set)(double);
        double value;
    } cases[] = {
        {"start NaN", &TLaunchRecord::setStartDate, nan},        {"start infinite", &TLaunchRecord::setStartDate, inf},
        {"start before 1899", &TLaunchRecord::setStartDate, -1}, {"start past 9999", &TLaunchRecord::setStartDate, 1e300},
        {"time NaN", &TLaunchRecord::setTimeOfDay, nan},         {"time past 9999", &TLaunchRecord::setTimeOfDay, 3e6},
        {"next run NaN", &TLaunchRecord::setNextRun, -inf},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("Launch.dat");
    TLaunchRecord sound = timed(at(2008, 6, 25, 18, 0), LaunchDaily);
    sound.setPath("/bon.mcr");
    QByteArray bytes = sound.bytes();
    for (const Case& c : cases) {
        TLaunchRecord r = sound;
        r.setPath(QString::fromLatin1(c.what));
        (r.*c.set)(c.value);
        EXPECT_FALSE(r.datesSound()) << c.what;
        EXPECT_FALSE(fromLaunchTime(c.value).isValid()) << c.what;  // no day, and no undefined conversion
        bytes += r.bytes();
    }
    bytes += sound.bytes() + "xx";
    WriteBytes(path, bytes);
    TLaunchList records;
    qint64 leftOver = 0;
    int damaged = 0;
    ASSERT_TRUE(ReadLaunchRecords(path, records, nullptr, &leftOver, &damaged));
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].bytes(), sound.bytes());
    EXPECT_EQ(records[1].bytes(), sound.bytes());
    EXPECT_EQ(damaged, int(std::size(cases)));
    EXPECT_EQ(LaunchRecordsLeftOut(path, leftOver, damaged),
              "« " + path + " » : 7 enregistrement(s) abîmé(s) (date impossible) laissé(s) de côté ; "
              "un enregistrement incomplet (2 octets) à la fin, laissé de côté.");
    EXPECT_EQ(LaunchRecordsLeftOut(path, 0, 0), "");
}

TEST(LaunchFile, NextRunWithAClockOfOurOwn) {
    const QDateTime now = at(2008, 6, 26, 10, 0);
    struct Case {
        const char* what;
        QDateTime start;
        uint8_t frequency;
        QDateTime expected;
    } cases[] = {
        {"daily from yesterday 18:00", at(2008, 6, 25, 18, 0), LaunchDaily, at(2008, 6, 26, 18, 0)},
        {"daily, today's run passed", at(2008, 6, 1, 9, 0), LaunchDaily, at(2008, 6, 27, 9, 0)},
        {"daily, exactly now", at(2008, 6, 1, 10, 0), LaunchDaily, at(2008, 6, 26, 10, 0)},
        {"weekly from next Tuesday", at(2008, 7, 1, 8, 0), LaunchWeekly, at(2008, 7, 1, 8, 0)},
        {"weekly from a Monday long ago", at(2008, 1, 7, 8, 0), LaunchWeekly, at(2008, 6, 30, 8, 0)},
        {"once in the past", at(2008, 1, 1, 8, 0), LaunchOnce, at(2008, 1, 1, 8, 0)},
        {"monthly from 31 January", at(2008, 1, 31, 8, 0), LaunchMonthly, at(2008, 6, 30, 8, 0)},
        {"monthly from the 15th", at(2007, 11, 15, 12, 0), LaunchMonthly, at(2008, 7, 15, 12, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fromLaunchTime(ComputeNextRun(timed(c.start, c.frequency), now)), c.expected) << c.what;

    // Month ends: from 31 January each month falls on its last day, counted from the start.
    const TLaunchRecord monthly = timed(at(2008, 1, 31, 8, 0), LaunchMonthly);
    for (const auto& [seen, expected] : {std::pair{at(2008, 2, 1, 0, 0), at(2008, 2, 29, 8, 0)},
                                         {at(2008, 3, 1, 0, 0), at(2008, 3, 31, 8, 0)},
                                         {at(2009, 2, 1, 0, 0), at(2009, 2, 28, 8, 0)},
                                         {at(2008, 4, 30, 9, 0), at(2008, 5, 31, 8, 0)}})
        EXPECT_EQ(fromLaunchTime(ComputeNextRun(monthly, seen)), expected) << seen.toString().toStdString();

    TLaunchRecord shortcut = timed(at(2008, 6, 25, 18, 0), LaunchDaily);
    shortcut.setKind(LaunchOnShortcut);
    EXPECT_EQ(ComputeNextRun(shortcut, now), 0.0);
}

TEST(LaunchFile, AutostartEntryIsWrittenFoundAndRemoved) {
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    const QString program = dir.filePath("dossier \"à\" $x/OrvanelLaunch");
    QString error;
    EXPECT_FALSE(SetSchedulerAutostart(program, true, &error));  // no such program
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(QDir().mkpath(dir.filePath("dossier \"à\" $x")));
    QFile exe(program);
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    exe.close();
    EXPECT_FALSE(SchedulerAutostartExists("OrvanelLaunch"));
    ASSERT_TRUE(SetSchedulerAutostart(program, true, &error)) << error.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("config/autostart/OrvanelLaunch.desktop")));
    EXPECT_TRUE(SchedulerAutostartExists("OrvanelLaunch"));
    ASSERT_TRUE(SetSchedulerAutostart(program, false, &error));
    EXPECT_FALSE(SchedulerAutostartExists("OrvanelLaunch"));
    // A folder that cannot hold the entry is a failure, said.
    QFile blocker(dir.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", dir.filePath("blocked").toUtf8());
    EXPECT_FALSE(SetSchedulerAutostart(program, true, &error));
    qunsetenv("XDG_CONFIG_HOME");
}
