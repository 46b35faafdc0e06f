// The conversion, number and type functions of the VBScript evaluator.
#include "core/VBScriptInternal.h"

#include <QHash>

#include <cfloat>
#include <cmath>
#include <cstring>

namespace vbscript {

namespace {

double rounded(const Value& v) { return std::nearbyint(ToNumber(v)); }  // halves to even

// A whole number of that subtype; an overflow outside low..high.
Value ranged(Value::Type type, double n, double low, double high) {
    if (n < low || n > high) Fail(Overflow);
    return {type, n, {}, {}};
}

Value cBool(const Arguments& a) { return Value::boolean(ToBoolean(a[0])); }
Value cByte(const Arguments& a) { return ranged(Value::Byte, rounded(a[0]), 0, 255); }
Value cInt(const Arguments& a) { return ranged(Value::Integer, rounded(a[0]), -32768, 32767); }
Value cLng(const Arguments& a) { return {Value::Long, double(ToLong(a[0])), {}, {}}; }
Value cSng(const Arguments& a) {
    const double d = ToNumber(a[0]);
    if (std::abs(d) > FLT_MAX) Fail(Overflow);
    return Fit(Value::Single, d);
}
Value cDbl(const Arguments& a) { return Fit(Value::Double, ToNumber(a[0])); }
Value cCur(const Arguments& a) { return Fit(Value::Currency, ToNumber(a[0])); }
Value cDate(const Arguments& a) { return Value::date(ToDate(a[0])); }
Value cStr(const Arguments& a) { return Value::string(TextOf(a[0])); }

// The subtype a function of one number keeps: texts give Doubles, Empty and
// Booleans Integers, a date stays a date.
Value sameKind(const Value& v, double r) {
    switch (v.type) {
        case Value::Empty:
        case Value::Boolean: return Fit(Value::Integer, r);
        case Value::String: return Fit(Value::Double, r);
        default: return Fit(v.type, r);
    }
}

Value absolute(const Arguments& a) { return sameKind(a[0], std::abs(ToNumber(a[0]))); }
Value intPart(const Arguments& a) { return sameKind(a[0], std::floor(ToNumber(a[0]))); }
Value fix(const Arguments& a) { return sameKind(a[0], std::trunc(ToNumber(a[0]))); }
Value sgn(const Arguments& a) {
    const double d = ToNumber(a[0]);
    return Fit(Value::Integer, (d > 0) - (d < 0));
}

// Round(x[, decimals]): halves to even; whole numbers stay what they are.
Value round(const Arguments& a) {
    const qint32 decimals = Given(a, 1) ? ToLong(a[1]) : 0;
    if (decimals < 0) Fail(InvalidCall);
    const double x = ToNumber(a[0]);
    const double scale = std::pow(10.0, qMin(decimals, 22));
    const double r = std::isfinite(x * scale) ? std::nearbyint(x * scale) / scale : x;
    switch (a[0].type) {
        case Value::Byte:
        case Value::Integer:
        case Value::Long:
        case Value::Single:
        case Value::Currency: return Fit(a[0].type, r);
        case Value::Empty:
        case Value::Boolean: return Fit(Value::Integer, r);
        default: return Fit(Value::Double, r);
    }
}

Value sqr(const Arguments& a) {
    const double x = ToNumber(a[0]);
    if (x < 0) Fail(InvalidCall);
    return Fit(Value::Double, std::sqrt(x));
}
Value exponential(const Arguments& a) { return Fit(Value::Double, std::exp(ToNumber(a[0]))); }
Value logarithm(const Arguments& a) {
    const double x = ToNumber(a[0]);
    if (x <= 0) Fail(InvalidCall);
    return Fit(Value::Double, std::log(x));
}
Value sine(const Arguments& a) { return Fit(Value::Double, std::sin(ToNumber(a[0]))); }
Value cosine(const Arguments& a) { return Fit(Value::Double, std::cos(ToNumber(a[0]))); }
Value tangent(const Arguments& a) { return Fit(Value::Double, std::tan(ToNumber(a[0]))); }
Value arcTangent(const Arguments& a) { return Fit(Value::Double, std::atan(ToNumber(a[0]))); }

// Rnd([n]): the language's own generator, so a run gives the sequence the
// language gives (0.7055475 first). n < 0 restarts it from n, 0 repeats the
// last number.
Value rnd(const Arguments& a) {
    static quint32 seed = 0x50000;
    const float n = Given(a, 0) ? float(ToNumber(a[0])) : 1.0f;
    if (n < 0) {
        quint32 bits = 0;
        std::memcpy(&bits, &n, sizeof bits);
        seed = (bits + (bits >> 24)) & 0xFFFFFF;
    }
    if (n != 0) seed = (seed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFF;
    return Fit(Value::Single, double(seed) / 16777216.0);
}

// Hex and Oct: Integers (and Bytes, Booleans) on 16 bits, the rest on 32.
QString digits(const Value& v, int base) {
    const bool small = v.type == Value::Integer || v.type == Value::Byte || v.type == Value::Boolean ||
                       v.type == Value::Empty;
    const qint32 n = ToLong(v);
    const quint32 bitsOf = small ? quint32(quint16(qint16(n))) : quint32(n);
    return QString::number(bitsOf, base).toUpper();
}
Value hex(const Arguments& a) { return Value::string(digits(a[0], 16)); }
Value oct(const Arguments& a) { return Value::string(digits(a[0], 8)); }

// RGB(red, green, blue): each part 0 to 255 (more counts as 255).
Value rgb(const Arguments& a) {
    qint64 colour = 0;
    for (int i = 2; i >= 0; --i) {
        const qint32 part = ToLong(a[size_t(i)]);
        if (part < 0) Fail(InvalidCall);
        colour = colour * 256 + qMin(part, 255);
    }
    return Fit(Value::Long, double(colour));
}

Value isNumeric(const Arguments& a) {
    double n = 0;
    switch (a[0].type) {
        case Value::String: return Value::boolean(ReadNumber(a[0].text, n));
        case Value::Null:
        case Value::Date:
        case Value::Array:
        case Value::Missing: return Value::boolean(false);
        default: return Value::boolean(true);
    }
}
Value isDate(const Arguments& a) {
    if (a[0].type == Value::Date) return Value::boolean(true);
    return Value::boolean(a[0].type == Value::String && ReadDate(a[0].text, false).has_value());
}
Value isEmpty(const Arguments& a) { return Value::boolean(a[0].type == Value::Empty); }
Value isNull(const Arguments& a) { return Value::boolean(a[0].type == Value::Null); }
Value isArray(const Arguments& a) { return Value::boolean(a[0].type == Value::Array); }
Value isObject(const Arguments&) { return Value::boolean(false); }

Value typeName(const Arguments& a) {
    static const QHash<int, QString> names = {
        {Value::Empty, QStringLiteral("Empty")},   {Value::Null, QStringLiteral("Null")},
        {Value::Integer, QStringLiteral("Integer")}, {Value::Long, QStringLiteral("Long")},
        {Value::Single, QStringLiteral("Single")},  {Value::Double, QStringLiteral("Double")},
        {Value::Currency, QStringLiteral("Currency")}, {Value::Date, QStringLiteral("Date")},
        {Value::String, QStringLiteral("String")},  {Value::Boolean, QStringLiteral("Boolean")},
        {Value::Byte, QStringLiteral("Byte")},      {Value::Array, QStringLiteral("Variant()")},
        {Value::Missing, QStringLiteral("Error")}};
    return Value::string(names.value(a[0].type));
}
Value varType(const Arguments& a) { return Fit(Value::Integer, a[0].type); }

constexpr Function kFunctions[] = {
    {"CBool", 1, 1, cBool},
    {"CByte", 1, 1, cByte},
    {"CInt", 1, 1, cInt},
    {"CLng", 1, 1, cLng},
    {"CSng", 1, 1, cSng},
    {"CDbl", 1, 1, cDbl},
    {"CCur", 1, 1, cCur},
    {"CDate", 1, 1, cDate},
    {"CStr", 1, 1, cStr},
    {"Abs", 1, 1, absolute, true},
    {"Int", 1, 1, intPart, true},
    {"Fix", 1, 1, fix, true},
    {"Sgn", 1, 1, sgn},
    {"Round", 1, 2, round, true},
    {"Sqr", 1, 1, sqr},
    {"Exp", 1, 1, exponential},
    {"Log", 1, 1, logarithm},
    {"Sin", 1, 1, sine},
    {"Cos", 1, 1, cosine},
    {"Tan", 1, 1, tangent},
    {"Atn", 1, 1, arcTangent},
    {"Rnd", 0, 1, rnd},
    {"Hex", 1, 1, hex, true},
    {"Oct", 1, 1, oct, true},
    {"RGB", 3, 3, rgb},
    {"IsNumeric", 1, 1, isNumeric},
    {"IsDate", 1, 1, isDate},
    {"IsEmpty", 1, 1, isEmpty},
    {"IsNull", 1, 1, isNull},
    {"IsArray", 1, 1, isArray},
    {"IsObject", 1, 1, isObject},
    {"TypeName", 1, 1, typeName},
    {"VarType", 1, 1, varType},
};

}  // namespace

std::span<const Function> NumberFunctions() { return kFunctions; }

}  // namespace vbscript
