// The date and time functions of the VBScript evaluator.
#include "core/VBScriptInternal.h"

#include <algorithm>
#include <cmath>

namespace vbscript {

namespace {

constexpr int kSecondsPerDay = 86400;

QDateTime when(const Value& v) { return DateTimeOf(ToDate(v)); }
double nowDays() { return DaysOf(QDateTime::currentDateTime()); }

// The first day of the week an argument names: 1 Sunday to 7 Saturday, 0 the
// system's (Monday); Sunday when left out.
int firstDayOfWeek(const Arguments& a, size_t at) {
    const qint32 first = Given(a, at) ? ToLong(a[at]) : 1;
    if (first < 0 || first > 7) Fail(InvalidCall);
    return first == 0 ? 2 : first;
}

// The first week of the year an argument names: 1 the week of 1 January, 2
// the first with four days, 3 the first whole week, 0 the system's (four days).
int firstWeekRule(const Arguments& a, size_t at) {
    const qint32 rule = Given(a, at) ? ToLong(a[at]) : 1;
    if (rule < 0 || rule > 3) Fail(InvalidCall);
    return rule == 0 ? 2 : rule;
}

qint64 quarterOf(const QDate& d) { return d.year() * 4 + (d.month() - 1) / 3; }
int sundayBased(const QDate& d) { return d.dayOfWeek() % 7 + 1; }
int weekday(const QDate& d, int first) { return (sundayBased(d) - first + 7) % 7 + 1; }
QDate weekStart(const QDate& d, int first) { return d.addDays(1 - weekday(d, first)); }

QDate firstWeekOf(int year, int first, int rule) {
    const QDate january1(year, 1, 1);
    const int daysInYear = 8 - weekday(january1, first);  // of the week holding 1 January
    const bool later = (rule == 2 && daysInYear < 4) || (rule == 3 && daysInYear < 7);
    return weekStart(january1, first).addDays(later ? 7 : 0);
}

int weekOfYear(const QDate& d, int first, int rule) {
    QDate week1 = firstWeekOf(d.year(), first, rule);
    if (d < week1) week1 = firstWeekOf(d.year() - 1, first, rule);
    return int(week1.daysTo(weekStart(d, first)) / 7 + 1);
}

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval intervalOf(const Value& v) {
    static const QHash<QString, Interval> names = {
        {QStringLiteral("yyyy"), Interval::Year}, {QStringLiteral("q"), Interval::Quarter},
        {QStringLiteral("m"), Interval::Month},   {QStringLiteral("y"), Interval::DayOfYear},
        {QStringLiteral("d"), Interval::Day},     {QStringLiteral("w"), Interval::Weekday},
        {QStringLiteral("ww"), Interval::Week},   {QStringLiteral("h"), Interval::Hour},
        {QStringLiteral("n"), Interval::Minute},  {QStringLiteral("s"), Interval::Second}};
    const auto found = names.constFind(TextOf(v).toLower());
    if (found == names.constEnd()) Fail(InvalidCall);
    return *found;
}

// Seconds from 30/12/1899 00:00, the time counted forward whatever the sign of the days.
qint64 secondsOf(const QDateTime& t) {
    return qint64(QDate(1899, 12, 30).daysTo(t.date())) * kSecondsPerDay + t.time().msecsSinceStartOfDay() / 1000;
}

Value year(const Arguments& a) { return Fit(Value::Integer, when(a[0]).date().year()); }
Value month(const Arguments& a) { return Fit(Value::Integer, when(a[0]).date().month()); }
Value day(const Arguments& a) { return Fit(Value::Integer, when(a[0]).date().day()); }
Value hour(const Arguments& a) { return Fit(Value::Integer, when(a[0]).time().hour()); }
Value minute(const Arguments& a) { return Fit(Value::Integer, when(a[0]).time().minute()); }
Value second(const Arguments& a) { return Fit(Value::Integer, when(a[0]).time().second()); }
Value weekdayOf(const Arguments& a) { return Fit(Value::Integer, weekday(when(a[0]).date(), firstDayOfWeek(a, 1))); }

Value now(const Arguments&) { return Value::date(nowDays()); }
Value date(const Arguments&) { return Value::date(std::floor(nowDays())); }
Value time(const Arguments&) { return Value::date(nowDays() - std::floor(nowDays())); }
// Seconds since midnight, to the hundredth.
Value timer(const Arguments&) {
    return Fit(Value::Single, std::floor(QTime::currentTime().msecsSinceStartOfDay() / 10.0) / 100);
}

Value monthName(const Arguments& a) { return Value::string(MonthNameOf(ToLong(a[0]), Given(a, 1) && ToBoolean(a[1]))); }
Value weekdayName(const Arguments& a) {
    const qint32 n = ToLong(a[0]);
    if (n < 1 || n > 7) Fail(InvalidCall);
    return Value::string(DayNameOf((n - 1 + firstDayOfWeek(a, 2) - 1) % 7 + 1, Given(a, 1) && ToBoolean(a[1])));
}

// DateSerial(year, month, day): months and days beyond their range carry over.
Value dateSerial(const Arguments& a) {
    qint64 y = ToLong(a[0]);
    const qint64 m = ToLong(a[1]);
    const qint64 d = ToLong(a[2]);
    if (y >= 0 && y < 30) y += 2000;
    else if (y >= 30 && y < 100) y += 1900;
    const qint64 months = y * 12 + m - 1;
    if (months < 0 || months > 12 * 10000) Fail(InvalidCall);
    const QDate day = QDate(int(months / 12), int(months % 12) + 1, 1).addDays(d - 1);
    if (!day.isValid()) Fail(InvalidCall);
    return DateValueOf(DaysOf(day, 0));
}

// TimeSerial(hour, minute, second): beyond a day it carries into the days.
Value timeSerial(const Arguments& a) {
    const qint64 total = qint64(ToLong(a[0])) * 3600 + qint64(ToLong(a[1])) * 60 + ToLong(a[2]);
    const qint64 days = total >= 0 ? total / kSecondsPerDay : -((-total + kSecondsPerDay - 1) / kSecondsPerDay);
    return DateValueOf(DaysOf(QDate(1899, 12, 30).addDays(days), int(total - days * kSecondsPerDay)));
}

Value dateValue(const Arguments& a) { return Value::date(DaysOf(when(a[0]).date(), 0)); }
Value timeValue(const Arguments& a) {
    return Value::date(DaysOf(QDate(1899, 12, 30), when(a[0]).time().msecsSinceStartOfDay() / 1000));
}

Value dateAdd(const Arguments& a) {
    const Interval interval = intervalOf(a[0]);
    const qint64 n = ToLong(a[1]);
    const QDateTime from = when(a[2]);
    QDateTime to;
    switch (interval) {
        case Interval::Year: to = from.addYears(int(std::clamp<qint64>(n, -20000, 20000))); break;
        case Interval::Quarter: to = from.addMonths(int(std::clamp<qint64>(3 * n, -240000, 240000))); break;
        case Interval::Month: to = from.addMonths(int(std::clamp<qint64>(n, -240000, 240000))); break;
        case Interval::DayOfYear:
        case Interval::Day:
        case Interval::Weekday: to = from.addDays(n); break;
        case Interval::Week: to = from.addDays(7 * n); break;
        case Interval::Hour: to = from.addSecs(3600 * n); break;
        case Interval::Minute: to = from.addSecs(60 * n); break;
        case Interval::Second: to = from.addSecs(n); break;
    }
    const double days = DaysOf(to);
    if (!to.isValid() || days < -657434 || days >= 2958466) Fail(InvalidCall);
    return Value::date(days);
}

// DateDiff(interval, date1, date2[, first day[, first week]]): how many
// boundaries of the interval lie between the two dates.
Value dateDiff(const Arguments& a) {
    const Interval interval = intervalOf(a[0]);
    const QDateTime t1 = when(a[1]);
    const QDateTime t2 = when(a[2]);
    const QDate d1 = t1.date(), d2 = t2.date();
    const int first = firstDayOfWeek(a, 3);
    firstWeekRule(a, 4);
    qint64 n = 0;
    switch (interval) {
        case Interval::Year: n = d2.year() - d1.year(); break;
        case Interval::Quarter: n = quarterOf(d2) - quarterOf(d1); break;
        case Interval::Month: n = (d2.year() * 12 + d2.month()) - (d1.year() * 12 + d1.month()); break;
        case Interval::DayOfYear:
        case Interval::Day: n = d1.daysTo(d2); break;
        case Interval::Weekday: n = d1.daysTo(d2) / 7; break;
        case Interval::Week: n = weekStart(d1, first).daysTo(weekStart(d2, first)) / 7; break;
        case Interval::Hour: n = secondsOf(t2) / 3600 - secondsOf(t1) / 3600; break;
        case Interval::Minute: n = secondsOf(t2) / 60 - secondsOf(t1) / 60; break;
        case Interval::Second: n = secondsOf(t2) - secondsOf(t1); break;
    }
    return Fit(Value::Long, double(n));
}

Value datePart(const Arguments& a) {
    const Interval interval = intervalOf(a[0]);
    const QDateTime t = when(a[1]);
    const QDate d = t.date();
    const int first = firstDayOfWeek(a, 2);
    const int rule = firstWeekRule(a, 3);
    int n = 0;
    switch (interval) {
        case Interval::Year: n = d.year(); break;
        case Interval::Quarter: n = (d.month() - 1) / 3 + 1; break;
        case Interval::Month: n = d.month(); break;
        case Interval::DayOfYear: n = d.dayOfYear(); break;
        case Interval::Day: n = d.day(); break;
        case Interval::Weekday: n = weekday(d, first); break;
        case Interval::Week: n = weekOfYear(d, first, rule); break;
        case Interval::Hour: n = t.time().hour(); break;
        case Interval::Minute: n = t.time().minute(); break;
        case Interval::Second: n = t.time().second(); break;
    }
    return Fit(Value::Integer, n);
}

constexpr Function kFunctions[] = {
    {"Now", 0, 0, now},
    {"Date", 0, 0, date},
    {"Time", 0, 0, time},
    {"Timer", 0, 0, timer},
    {"Year", 1, 1, year, true},
    {"Month", 1, 1, month, true},
    {"Day", 1, 1, day, true},
    {"Hour", 1, 1, hour, true},
    {"Minute", 1, 1, minute, true},
    {"Second", 1, 1, second, true},
    {"Weekday", 1, 2, weekdayOf, true},
    {"MonthName", 1, 2, monthName},
    {"WeekdayName", 1, 3, weekdayName},
    {"DateSerial", 3, 3, dateSerial, true},
    {"TimeSerial", 3, 3, timeSerial, true},
    {"DateValue", 1, 1, dateValue, true},
    {"TimeValue", 1, 1, timeValue, true},
    {"DateAdd", 3, 3, dateAdd, true},
    {"DateDiff", 3, 5, dateDiff, true},
    {"DatePart", 2, 4, datePart, true},
};

}  // namespace

std::span<const Function> DateFunctions() { return kFunctions; }

}  // namespace vbscript
