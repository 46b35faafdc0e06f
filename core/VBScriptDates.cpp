// Dates of the VBScript evaluator: days since 30/12/1899, their reading from
// texts and the French names of days and months.
#include "core/VBScriptInternal.h"

#include <QRegularExpression>

#include <array>
#include <cmath>

namespace vbscript {

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr int kSecondsPerDay = 86400;
constexpr double kFirstDay = -657434.99999;  // 01/01/100 23:59:59
constexpr double kLastDay = 2958465.99999;   // 31/12/9999 23:59:59

constexpr std::array<const char16_t*, 12> kMonths = {u"janvier", u"février", u"mars",      u"avril",
                                                     u"mai",     u"juin",    u"juillet",   u"août",
                                                     u"septembre", u"octobre", u"novembre", u"décembre"};
constexpr std::array<const char16_t*, 12> kShortMonths = {u"janv.", u"févr.", u"mars", u"avr.", u"mai",  u"juin",
                                                          u"juil.", u"août",  u"sept.", u"oct.", u"nov.", u"déc."};
constexpr std::array<const char16_t*, 7> kDays = {u"dimanche", u"lundi",    u"mardi", u"mercredi",
                                                  u"jeudi",    u"vendredi", u"samedi"};
constexpr std::array<const char16_t*, 7> kShortDays = {u"dim.", u"lun.", u"mar.", u"mer.", u"jeu.", u"ven.", u"sam."};

// Two-digit years: 0 to 29 are 2000 to 2029, 30 to 99 are 1930 to 1999.
int fullYear(int year, int digits) {
    if (digits > 2) return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

// A month written in words, French or by its number's abbreviation; 0 when none.
int monthOfWord(const QString& word) {
    const QString w = word.toLower().remove(u'.');
    for (int i = 0; i < 12; ++i) {
        const QString full = QString::fromUtf16(kMonths[size_t(i)]);
        if (w == full || (w.size() >= 3 && full.startsWith(w))) return i + 1;
    }
    return 0;
}

// "8:30", "08:30:15", "8:30 PM": seconds since midnight.
std::optional<int> readTime(const QString& text) {
    static const QRegularExpression time(
        QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*(AM|PM)?$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = time.match(text);
    if (!m.hasMatch()) return std::nullopt;
    int hour = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    const int second = m.captured(3).toInt();
    const QString half = m.captured(4).toUpper();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12) return std::nullopt;
        hour = hour % 12 + (half == u"PM" ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return hour * 3600 + minute * 60 + second;
}

// "31/01/2024", "2024-01-31", "31 janvier 2024", "31/01" (this year).
std::optional<QDate> readDay(const QString& text, bool monthFirst) {
    static const QRegularExpression iso(QStringLiteral("^(\\d{3,4})[-/.](\\d{1,2})[-/.](\\d{1,2})$"));
    static const QRegularExpression numeric(QStringLiteral("^(\\d{1,2})[-/.](\\d{1,2})(?:[-/.](\\d{1,4}))?$"));
    static const QRegularExpression words(QStringLiteral("^(\\d{1,2})\\s+(\\p{L}+\\.?)\\s+(\\d{1,4})$"));
    if (const QRegularExpressionMatch m = iso.match(text); m.hasMatch()) {
        const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        return d.isValid() ? std::optional(d) : std::nullopt;
    }
    if (const QRegularExpressionMatch m = numeric.match(text); m.hasMatch()) {
        const int year = m.captured(3).isEmpty() ? QDate::currentDate().year()
                                                 : fullYear(m.captured(3).toInt(), int(m.captured(3).size()));
        const int first = m.captured(1).toInt(), second = m.captured(2).toInt();
        QDate d = monthFirst ? QDate(year, first, second) : QDate(year, second, first);
        if (!d.isValid()) d = monthFirst ? QDate(year, second, first) : QDate(year, first, second);
        return d.isValid() ? std::optional(d) : std::nullopt;
    }
    if (const QRegularExpressionMatch m = words.match(text); m.hasMatch()) {
        const int month = monthOfWord(m.captured(2));
        const QDate d(fullYear(m.captured(3).toInt(), int(m.captured(3).size())), month, m.captured(1).toInt());
        return month && d.isValid() ? std::optional(d) : std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

QString MonthNameOf(int month, bool abbreviated) {
    if (month < 1 || month > 12) Fail(InvalidCall);
    return QString::fromUtf16((abbreviated ? kShortMonths : kMonths)[size_t(month - 1)]);
}

QString DayNameOf(int sundayBased, bool abbreviated) {
    if (sundayBased < 1 || sundayBased > 7) Fail(InvalidCall);
    return QString::fromUtf16((abbreviated ? kShortDays : kDays)[size_t(sundayBased - 1)]);
}

QDateTime DateTimeOf(double days) {
    const double whole = std::trunc(days);
    qint64 seconds = std::llround(std::abs(days - whole) * kSecondsPerDay);
    QDate date = kDayZero.addDays(qint64(whole));
    if (seconds >= kSecondsPerDay) {  // rounded up to the next midnight
        seconds -= kSecondsPerDay;
        date = date.addDays(days < 0 ? -1 : 1);
    }
    return QDateTime(date, QTime(0, 0).addSecs(int(seconds)), Qt::UTC);  // no daylight saving in between
}

double DaysOf(const QDate& date, int secondsOfDay) {
    const double whole = double(kDayZero.daysTo(date));
    const double fraction = double(secondsOfDay) / kSecondsPerDay;
    return whole < 0 ? whole - fraction : whole + fraction;
}

double DaysOf(const QDateTime& when) { return DaysOf(when.date(), when.time().msecsSinceStartOfDay() / 1000); }

Value DateValueOf(double days) {
    if (!std::isfinite(days) || days < kFirstDay || days > kLastDay) Fail(Overflow);
    return Value::date(days);
}

std::optional<double> ReadDate(const QString& text, bool monthFirst) {
    const QString t = text.simplified();
    if (t.isEmpty()) return std::nullopt;
    if (const std::optional<int> time = readTime(t)) return double(*time) / kSecondsPerDay;
    if (const std::optional<QDate> day = readDay(t, monthFirst)) return DaysOf(*day, 0);
    // A day and a time: split where the time starts (after a blank or a "T").
    static const QRegularExpression split(QStringLiteral("^(.+?)[ T](\\d{1,2}:.*)$"));
    const QRegularExpressionMatch m = split.match(t);
    if (!m.hasMatch()) return std::nullopt;
    const std::optional<QDate> day = readDay(m.captured(1), monthFirst);
    const std::optional<int> time = readTime(m.captured(2));
    if (!day || !time) return std::nullopt;
    return DaysOf(*day, *time);
}

double ToDate(const Value& v) {
    switch (v.type) {
        case Value::Null: Fail(InvalidUseOfNull);
        case Value::String: {
            const std::optional<double> days = ReadDate(v.text, false);
            if (!days) Fail(TypeMismatch);
            return DateValueOf(*days).number;
        }
        default: return DateValueOf(ToNumber(v)).number;
    }
}

}  // namespace vbscript
