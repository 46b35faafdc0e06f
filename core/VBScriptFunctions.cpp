// The functions a VBScript expression may call: texts, conversions, numbers and dates.
#include "core/VBScriptInternal.h"
#include "platform/Cp1252.h"

#include <cmath>
#include <limits>

namespace vbscript {

namespace {

QString text(const Value& v) { return ToText(v); }

// A count of characters: negative ones are refused.
qint32 count(const Value& v) {
    const qint32 n = ToLong(v);
    if (n < 0) Fail(InvalidCall);
    return n;
}

Qt::CaseSensitivity comparison(const Arguments& a, size_t at) {
    return a.size() > at && ToLong(a[at]) == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

// Integers stay integers, dates stay dates, anything else is a Double.
Value sameKind(const Value& v, double result) {
    switch (v.type) {
        case Value::Empty:
        case Value::Boolean:
        case Value::Long: return Value::integer(qint64(result));
        case Value::Date: return Value::date(result);
        default: return Value::real(result);
    }
}

Value len(const Arguments& a) { return Value::integer(text(a[0]).size()); }
Value left(const Arguments& a) { return Value::string(text(a[0]).left(count(a[1]))); }
Value right(const Arguments& a) { return Value::string(text(a[0]).right(count(a[1]))); }

Value mid(const Arguments& a) {
    const qint32 start = ToLong(a[1]);
    if (start < 1) Fail(InvalidCall);
    return Value::string(text(a[0]).mid(start - 1, a.size() > 2 ? count(a[2]) : -1));
}

// InStr([start,] text, searched[, compare]): the place from 1, 0 when absent.
Value inStr(const Arguments& a) {
    const bool withStart = a.size() > 2;
    const qint32 start = withStart ? ToLong(a[0]) : 1;
    if (start < 1) Fail(InvalidCall);
    const QString within = text(a[withStart ? 1 : 0]);
    const QString searched = text(a[withStart ? 2 : 1]);
    if (within.isEmpty()) return Value::integer(0);
    if (searched.isEmpty()) return Value::integer(start);
    if (start > within.size()) return Value::integer(0);
    return Value::integer(within.indexOf(searched, start - 1, comparison(a, 3)) + 1);
}

// Replace(text, find, with[, start[, count[, compare]]]): the text from start on,
// with at most count (-1: every) occurrences replaced.
Value replace(const Arguments& a) {
    const qint32 start = a.size() > 3 ? ToLong(a[3]) : 1;
    const qint32 most = a.size() > 4 ? ToLong(a[4]) : -1;
    if (start < 1 || most < -1) Fail(InvalidCall);
    const QString source = text(a[0]).mid(start - 1);
    const QString find = text(a[1]);
    const QString with = text(a[2]);
    if (find.isEmpty()) return Value::string(source);
    const Qt::CaseSensitivity cs = comparison(a, 5);
    QString out;
    qsizetype from = 0;
    for (qint32 done = 0; most < 0 || done < most; ++done) {
        const qsizetype at = source.indexOf(find, from, cs);
        if (at < 0) break;
        out += QStringView(source).mid(from, at - from);
        out += with;
        from = at + find.size();
    }
    out += QStringView(source).mid(from);
    return Value::string(out);
}

qsizetype firstNonSpace(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    return i;
}
qsizetype endNonSpace(const QString& s) {
    qsizetype i = s.size();
    while (i > 0 && s[i - 1] == u' ') --i;
    return i;
}
Value lTrim(const Arguments& a) {
    const QString s = text(a[0]);
    return Value::string(s.mid(firstNonSpace(s)));
}
Value rTrim(const Arguments& a) {
    const QString s = text(a[0]);
    return Value::string(s.left(endNonSpace(s)));
}
Value trim(const Arguments& a) { return lTrim({rTrim(a)}); }
Value uCase(const Arguments& a) { return Value::string(text(a[0]).toUpper()); }
Value lCase(const Arguments& a) { return Value::string(text(a[0]).toLower()); }

Value cStr(const Arguments& a) { return Value::string(text(a[0])); }
Value cInt(const Arguments& a) {
    const qint32 n = ToLong(a[0]);
    if (n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max()) Fail(Overflow);
    return Value::integer(n);
}
Value cLng(const Arguments& a) { return Value::integer(ToLong(a[0])); }
Value cDbl(const Arguments& a) { return Value::real(ToNumber(a[0])); }
Value cBool(const Arguments& a) { return Value::boolean(ToBoolean(a[0])); }

Value intPart(const Arguments& a) { return sameKind(a[0], std::floor(ToNumber(a[0]))); }
Value fix(const Arguments& a) { return sameKind(a[0], std::trunc(ToNumber(a[0]))); }
Value absolute(const Arguments& a) { return sameKind(a[0], std::abs(ToNumber(a[0]))); }

// Round(x[, decimals]): halves to even.
Value round(const Arguments& a) {
    const qint32 decimals = a.size() > 1 ? count(a[1]) : 0;
    const double scale = std::pow(10.0, decimals);
    const double r = std::nearbyint(ToNumber(a[0]) * scale) / scale;
    return a[0].type == Value::Double || a[0].type == Value::String ? Value::real(r) : sameKind(a[0], r);
}

Value sqr(const Arguments& a) {
    const double x = ToNumber(a[0]);
    if (x < 0) Fail(InvalidCall);
    return Value::real(std::sqrt(x));
}

// Characters by their Windows-1252 code.
Value chr(const Arguments& a) {
    const qint32 code = ToLong(a[0]);
    if (code < 0 || code > 255) Fail(InvalidCall);
    return Value::string(platform::fromCp1252(QByteArray(1, char(code))));
}
Value asc(const Arguments& a) {
    const QString s = text(a[0]);
    if (s.isEmpty()) Fail(InvalidCall);
    return Value::integer(quint8(platform::toCp1252(s[0])));
}

double today() { return std::floor(DaysOf(QDateTime::currentDateTime())); }
Value now(const Arguments&) { return Value::date(DaysOf(QDateTime::currentDateTime())); }
Value date(const Arguments&) { return Value::date(today()); }
Value time(const Arguments&) { return Value::date(DaysOf(QDateTime::currentDateTime()) - today()); }

QDateTime when(const Value& v) { return DateTimeOf(ToDate(v)); }
Value year(const Arguments& a) { return Value::integer(when(a[0]).date().year()); }
Value month(const Arguments& a) { return Value::integer(when(a[0]).date().month()); }
Value day(const Arguments& a) { return Value::integer(when(a[0]).date().day()); }
Value hour(const Arguments& a) { return Value::integer(when(a[0]).time().hour()); }
Value minute(const Arguments& a) { return Value::integer(when(a[0]).time().minute()); }
Value second(const Arguments& a) { return Value::integer(when(a[0]).time().second()); }

// DateAdd(interval, number, date); intervals "yyyy", "q", "m", "y", "d", "w", "ww", "h", "n", "s".
Value dateAdd(const Arguments& a) {
    const QString interval = text(a[0]).toLower();
    const qint32 n = ToLong(a[1]);
    const QDateTime from = when(a[2]);
    QDateTime to;
    if (interval == u"yyyy") to = from.addYears(n);
    else if (interval == u"q") to = from.addMonths(3 * n);
    else if (interval == u"m") to = from.addMonths(n);
    else if (interval == u"y" || interval == u"d" || interval == u"w") to = from.addDays(n);
    else if (interval == u"ww") to = from.addDays(7 * qint64(n));
    else if (interval == u"h") to = from.addSecs(3600 * qint64(n));
    else if (interval == u"n") to = from.addSecs(60 * qint64(n));
    else if (interval == u"s") to = from.addSecs(n);
    else Fail(InvalidCall);
    return Value::date(DaysOf(to));
}

constexpr Function kFunctions[] = {
    {"Len", 1, 1, len},         {"Left", 2, 2, left},     {"Right", 2, 2, right},     {"Mid", 2, 3, mid},
    {"InStr", 2, 4, inStr},     {"Replace", 3, 6, replace}, {"UCase", 1, 1, uCase},   {"LCase", 1, 1, lCase},
    {"Trim", 1, 1, trim},       {"LTrim", 1, 1, lTrim},   {"RTrim", 1, 1, rTrim},     {"CStr", 1, 1, cStr},
    {"CInt", 1, 1, cInt},       {"CLng", 1, 1, cLng},     {"CDbl", 1, 1, cDbl},       {"CBool", 1, 1, cBool},
    {"Int", 1, 1, intPart},     {"Fix", 1, 1, fix},       {"Abs", 1, 1, absolute},    {"Round", 1, 2, round},
    {"Sqr", 1, 1, sqr},         {"Chr", 1, 1, chr},       {"Asc", 1, 1, asc},         {"Now", 0, 0, now},
    {"Date", 0, 0, date},       {"Time", 0, 0, time},     {"Year", 1, 1, year},       {"Month", 1, 1, month},
    {"Day", 1, 1, day},         {"Hour", 1, 1, hour},     {"Minute", 1, 1, minute},   {"Second", 1, 1, second},
    {"DateAdd", 3, 3, dateAdd},
};

}  // namespace

const Function* FindFunction(const QString& name) {
    for (const Function& f : kFunctions)
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

}  // namespace vbscript
