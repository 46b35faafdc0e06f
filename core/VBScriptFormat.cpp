// The formatting functions of the VBScript evaluator: FormatNumber,
// FormatCurrency, FormatPercent and FormatDateTime. Numbers are written with
// "." before the decimals and "," between groups of thousands, amounts with
// " €" after them, dates as the French do.
#include "core/VBScriptInternal.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vbscript {

namespace {

constexpr int kDefaultDecimals = 2;

// |x| with that many decimals, rounded half away from zero on its 15
// significant digits (so that 1.005 gives 1.01, as written).
void fixedDigits(double x, int decimals, QString& whole, QString& fraction) {
    const QString scientific = QString::number(std::abs(x), 'e', 14);  // "1.23450000000000e+03"
    const qsizetype e = scientific.indexOf(u'e');
    std::string digits = scientific.left(e).remove(u'.').toStdString();
    int point = scientific.mid(e + 1).toInt() + 1;  // digits before the decimal point
    if (x == 0) point = 1;
    if (point < 0) {
        digits.insert(0, size_t(-point), '0');
        point = 0;
    }
    const size_t keep = size_t(point + decimals);
    if (keep < digits.size()) {
        const bool up = digits[keep] >= '5';
        digits.resize(keep);
        if (up) {
            qsizetype i = qsizetype(keep) - 1;
            while (i >= 0 && digits[size_t(i)] == '9') digits[size_t(i--)] = '0';
            if (i < 0) {
                digits.insert(0, "1");
                ++point;
            } else {
                ++digits[size_t(i)];
            }
        }
    } else {
        digits.append(keep - digits.size(), '0');
    }
    whole = QString::fromStdString(digits.substr(0, size_t(point)));
    fraction = QString::fromStdString(digits.substr(size_t(point)));
    while (whole.size() > 1 && whole.startsWith(u'0')) whole.remove(0, 1);
    if (whole.isEmpty()) whole = QStringLiteral("0");
}

// A tristate argument: -1 true, 0 false, -2 (or left out) the default.
bool tristate(const Arguments& a, size_t at, bool fallback) {
    if (!Given(a, at)) return fallback;
    const qint32 v = ToLong(a[at]);
    return v == -2 ? fallback : v != 0;
}

// FormatNumber's arguments after the number: decimals, leading zero,
// brackets for negatives, digit groups; the text of x, before any sign.
struct NumberText {
    QString digits;
    bool negative = false;
    bool brackets = false;
};

NumberText numberText(double x, const Arguments& a) {
    const qint32 decimals = Given(a, 1) ? ToLong(a[1]) : -1;
    if (decimals < -1 || decimals > 255) Fail(InvalidCall);
    QString whole, fraction;
    fixedDigits(x, decimals == -1 ? kDefaultDecimals : decimals, whole, fraction);
    if (tristate(a, 4, true))
        for (qsizetype at = whole.size() - 3; at > 0; at -= 3) whole.insert(at, u',');
    if (whole == u"0" && !tristate(a, 2, true)) whole.clear();
    auto hasFigure = [](const QString& s) {
        return std::any_of(s.begin(), s.end(), [](QChar c) { return c > u'0' && c <= u'9'; });
    };
    const bool zero = !hasFigure(whole) && !hasFigure(fraction);  // -0.001 with two decimals is 0.00
    return {fraction.isEmpty() ? whole : whole + u'.' + fraction, x < 0 && !zero, tristate(a, 3, false)};
}

QString withSign(const NumberText& n, const QString& text) {
    if (!n.negative) return text;
    return n.brackets ? u'(' + text + u')' : u'-' + text;
}

Value formatNumber(const Arguments& a) {
    const NumberText n = numberText(ToNumber(a[0]), a);
    return Value::string(withSign(n, n.digits));
}
Value formatCurrency(const Arguments& a) {
    const NumberText n = numberText(ToNumber(a[0]), a);
    return Value::string(withSign(n, n.digits + QStringLiteral(" €")));
}
Value formatPercent(const Arguments& a) {
    const NumberText n = numberText(ToNumber(a[0]) * 100, a);
    return Value::string(withSign(n, n.digits + u'%'));
}

// FormatDateTime(date[, format]): 0 general, 1 long date, 2 short date, 3 long time, 4 short time.
Value formatDateTime(const Arguments& a) {
    const Value date = Value::date(ToDate(a[0]));
    const qint32 format = Given(a, 1) ? ToLong(a[1]) : 0;
    const QDateTime t = DateTimeOf(date.number);
    switch (format) {
        case 0: return Value::string(ToText(date));
        case 1:
            return Value::string(DayNameOf(t.date().dayOfWeek() % 7 + 1, false) + u' ' + QString::number(t.date().day()) +
                                 u' ' + MonthNameOf(t.date().month(), false) + u' ' + QString::number(t.date().year()));
        case 2: return Value::string(t.toString(QStringLiteral("dd/MM/yyyy")));
        case 3: return Value::string(t.toString(QStringLiteral("HH:mm:ss")));
        case 4: return Value::string(t.toString(QStringLiteral("HH:mm")));
        default: Fail(InvalidCall);
    }
}

constexpr Function kFunctions[] = {
    {"FormatNumber", 1, 5, formatNumber, true},
    {"FormatCurrency", 1, 5, formatCurrency, true},
    {"FormatPercent", 1, 5, formatPercent, true},
    {"FormatDateTime", 1, 2, formatDateTime, true},
};

}  // namespace

std::span<const Function> FormatFunctions() { return kFunctions; }

}  // namespace vbscript
