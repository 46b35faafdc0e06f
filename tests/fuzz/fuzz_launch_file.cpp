// "Launch.dat": the records read as the scheduler and the editor read them,
// what is said of those left out, each record's fields and next run (from a
// fixed now), and the records written back and read again unchanged.
#include "platform/LaunchFile.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::start();
    const QString file = fuzz::writeFile(QStringLiteral("Launch.dat"), fuzz::bytes(data, size));
    platform::TLaunchList records;
    qint64 leftOver = 0;
    int damaged = 0;
    if (!platform::ReadLaunchRecords(file, records, nullptr, &leftOver, &damaged)) std::abort();
    platform::LaunchRecordsLeftOut(file, leftOver, damaged);
    const QDateTime now(QDate(2026, 12, 11), QTime(9, 30));
    for (const platform::TLaunchRecord& r : std::as_const(records)) {
        r.path();
        r.shortcut();
        platform::fromLaunchTime(r.startDate());
        platform::fromLaunchTime(r.nextRun());
        const double next = platform::ComputeNextRun(r, now);
        if (r.kind() == platform::LaunchAtTime && r.frequency() >= platform::LaunchDaily &&
            r.frequency() <= platform::LaunchMonthly && platform::fromLaunchTime(next) < now.addSecs(-1))
            std::abort();  // a repeated record's next run is not before now
    }
    if (!platform::WriteLaunchRecords(file, records)) std::abort();
    platform::TLaunchList again;
    if (!platform::ReadLaunchRecords(file, again) || again.size() != records.size()) std::abort();
    for (qsizetype i = 0; i < again.size(); ++i)
        if (again[i].bytes() != records[i].bytes()) std::abort();
    return 0;
}
