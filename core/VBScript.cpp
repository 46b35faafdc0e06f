// Evaluating a read VBScript expression: the values, their conversions and
// the operators.
#include "core/VBScriptInternal.h"

#include <QDateTime>

#include <cmath>
#include <limits>

namespace vbscript {

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

QString description(int number) {
    switch (number) {
        case InvalidCall: return QStringLiteral("Appel de procédure ou argument incorrect");
        case Overflow: return QStringLiteral("Dépassement de capacité");
        case DivisionByZero: return QStringLiteral("Division par zéro");
        case TypeMismatch: return QStringLiteral("Type incompatible");
        case WrongArgumentCount: return QStringLiteral("Nombre d'arguments incorrect");
        case UndefinedVariable: return QStringLiteral("Variable non définie");
        case SyntaxFault: return QStringLiteral("Erreur de syntaxe");
        case ExpectedCloseParen: return QStringLiteral("')' attendu");
        case ExpectedEnd: return QStringLiteral("Fin d'instruction attendue");
        case InvalidCharacter: return QStringLiteral("Caractère non valide");
        case OpenString: return QStringLiteral("Constante chaîne non terminée");
        default: return QStringLiteral("Erreur d'exécution");
    }
}

// Empty, Boolean and Long: what integer arithmetic keeps integer.
bool isIntegral(const Value& v) { return v.type == Value::Empty || v.type == Value::Boolean || v.type == Value::Long; }

Value checked(Value v) {
    if (!std::isfinite(v.number)) Fail(Overflow);
    return v;
}

// Integers stay integers while they fit; anything else is a Double.
Value arithmetic(const Value& a, const Value& b, double result) {
    if (isIntegral(a) && isIntegral(b)) return Value::integer(qint64(result));
    return checked(Value::real(result));
}

Value add(const Value& a, const Value& b) {
    if ((a.type == Value::String || a.type == Value::Empty) && (b.type == Value::String || b.type == Value::Empty) &&
        (a.type == Value::String || b.type == Value::String))
        return Value::string(a.text + b.text);
    const double sum = ToNumber(a) + ToNumber(b);
    if (a.type == Value::Date || b.type == Value::Date) return checked(Value::date(sum));
    return arithmetic(a, b, sum);
}

Value subtract(const Value& a, const Value& b) {
    const double difference = ToNumber(a) - ToNumber(b);
    if ((a.type == Value::Date) != (b.type == Value::Date)) return checked(Value::date(difference));
    if (a.type == Value::Date) return checked(Value::real(difference));
    return arithmetic(a, b, difference);
}

Value divide(const Value& a, const Value& b) {
    const double x = ToNumber(a);
    const double y = ToNumber(b);
    if (y == 0) Fail(x == 0 ? Overflow : DivisionByZero);
    return checked(Value::real(x / y));
}

Value integerDivide(const Value& a, const Value& b, bool remainder) {
    const qint64 x = ToLong(a);
    const qint64 y = ToLong(b);
    if (y == 0) Fail(DivisionByZero);
    return Value::integer(remainder ? x % y : x / y);
}

Value power(const Value& a, const Value& b) {
    const double x = ToNumber(a);
    const double y = ToNumber(b);
    if (x == 0 && y < 0) Fail(DivisionByZero);
    const double r = std::pow(x, y);
    if (std::isnan(r)) Fail(InvalidCall);
    return checked(Value::real(r));
}

Value negate(const Value& a) {
    switch (a.type) {
        case Value::Double: return Value::real(-a.number);
        case Value::Date: return Value::date(-a.number);
        case Value::String: return Value::real(-ToNumber(a));
        default: return Value::integer(-qint64(a.number));
    }
}

// Two Booleans give a Boolean; anything else works on the bits of 32-bit integers.
Value logical(Op op, const Value& a, const Value& b) {
    if (op == Op::Not) return a.type == Value::Boolean ? Value::boolean(a.number == 0) : Value::integer(~ToLong(a));
    const bool booleans = a.type == Value::Boolean && b.type == Value::Boolean;
    const qint32 x = booleans ? qint32(a.number) : ToLong(a);
    const qint32 y = booleans ? qint32(b.number) : ToLong(b);
    const qint32 r = op == Op::And ? (x & y) : op == Op::Or ? (x | y) : (x ^ y);
    return booleans ? Value::boolean(r != 0) : Value::integer(r);
}

int sign(double d) { return (d > 0) - (d < 0); }

// Texts compare by their characters; a number and a text that reads as a
// number compare as numbers, else the number is the smaller.
int compare(const Value& a, const Value& b) {
    const bool textA = a.type == Value::String;
    const bool textB = b.type == Value::String;
    if (textA && textB) return sign(a.text.compare(b.text));
    if (textA || textB) {
        const Value& text = textA ? a : b;
        const Value& other = textA ? b : a;
        const int direction = textA ? 1 : -1;  // text against other
        if (other.type == Value::Empty) return direction * sign(text.text.compare(QString()));
        double n = 0;
        if (!ReadNumber(text.text, n)) return direction;
        return direction * sign(n - other.number);
    }
    return sign(ToNumber(a) - ToNumber(b));
}

}  // namespace

Value Value::integer(qint64 n) {
    if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max()) return real(double(n));
    return {Long, double(n), {}};
}

void Fail(int number, const QString& detail) {
    QString text = description(number);
    if (!detail.isEmpty()) text += QStringLiteral(" : '") + detail + u'\'';
    throw Failure{{number, text}};
}

bool ReadNumber(const QString& text, double& out) {
    const QString t = text.trimmed();
    if (t.size() > 2 && t[0] == u'&' && QStringView(u"HhOo").contains(t[1])) {
        bool ok = false;
        const qulonglong n = QStringView(t).mid(2).toULongLong(&ok, t[1].toUpper() == u'H' ? 16 : 8);
        if (!ok || n > std::numeric_limits<quint32>::max()) return false;
        out = qint32(quint32(n));
        return true;
    }
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d)) return false;
    out = d;
    return true;
}

double ToNumber(const Value& v) {
    if (v.type != Value::String) return v.number;
    double d = 0;
    if (!ReadNumber(v.text, d)) Fail(TypeMismatch);
    return d;
}

qint32 ToLong(const Value& v) {
    const double r = std::nearbyint(ToNumber(v));  // halves to even
    if (r < std::numeric_limits<qint32>::min() || r > std::numeric_limits<qint32>::max()) Fail(Overflow);
    return qint32(r);
}

bool ToBoolean(const Value& v) {
    if (v.type == Value::String) {
        if (v.text.trimmed().compare(u"True", Qt::CaseInsensitive) == 0) return true;
        if (v.text.trimmed().compare(u"False", Qt::CaseInsensitive) == 0) return false;
    }
    return ToNumber(v) != 0;
}

QDateTime DateTimeOf(double days) {
    const double whole = std::floor(days);
    const qint64 ms = qint64(std::llround((days - whole) * kMsPerDay / 1000.0)) * 1000;  // whole seconds
    return QDateTime(kDayZero.addDays(qint64(whole)), QTime(0, 0)).addMSecs(ms);
}

double DaysOf(const QDateTime& when) {
    return double(kDayZero.daysTo(when.date())) + when.time().msecsSinceStartOfDay() / kMsPerDay;
}

double ToDate(const Value& v) {
    if (v.type != Value::String) return v.number;
    const QString t = v.text.trimmed();
    for (const char* format : {"dd/MM/yyyy HH:mm:ss", "dd/MM/yyyy HH:mm", "dd/MM/yyyy", "d/M/yyyy", "yyyy-MM-dd HH:mm:ss",
                               "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd"}) {
        const QDateTime when = QDateTime::fromString(t, QLatin1String(format));
        if (when.isValid()) return DaysOf(when);
    }
    for (const char* format : {"HH:mm:ss", "HH:mm"}) {
        const QTime time = QTime::fromString(t, QLatin1String(format));
        if (time.isValid()) return time.msecsSinceStartOfDay() / kMsPerDay;
    }
    double d = 0;
    if (!ReadNumber(t, d)) Fail(TypeMismatch);
    return d;
}

QString ToText(const Value& v) {
    switch (v.type) {
        case Value::Empty: return QString();
        case Value::Boolean: return v.number != 0 ? QStringLiteral("True") : QStringLiteral("False");
        case Value::Long: return QString::number(qint64(v.number));
        case Value::String: return v.text;
        case Value::Double:
            if (v.number == std::trunc(v.number) && std::abs(v.number) < 1e15) return QString::number(qint64(v.number));
            return QString::number(v.number, 'g', 15).replace(u'e', u'E');
        case Value::Date: {
            const QDateTime when = DateTimeOf(v.number);
            const bool hasDate = std::floor(v.number) != 0;
            const bool hasTime = when.time() != QTime(0, 0);
            if (!hasDate) return when.toString(QStringLiteral("HH:mm:ss"));
            if (!hasTime) return when.toString(QStringLiteral("dd/MM/yyyy"));
            return when.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        }
    }
    return QString();
}

Value Apply(Op op, const Value& a, const Value& b) {
    switch (op) {
        case Op::Add: return add(a, b);
        case Op::Subtract: return subtract(a, b);
        case Op::Multiply: return arithmetic(a, b, ToNumber(a) * ToNumber(b));
        case Op::Divide: return divide(a, b);
        case Op::IntDivide: return integerDivide(a, b, false);
        case Op::Mod: return integerDivide(a, b, true);
        case Op::Power: return power(a, b);
        case Op::Concat: return Value::string(ToText(a) + ToText(b));
        case Op::Equal: return Value::boolean(compare(a, b) == 0);
        case Op::NotEqual: return Value::boolean(compare(a, b) != 0);
        case Op::Less: return Value::boolean(compare(a, b) < 0);
        case Op::Greater: return Value::boolean(compare(a, b) > 0);
        case Op::LessEqual: return Value::boolean(compare(a, b) <= 0);
        case Op::GreaterEqual: return Value::boolean(compare(a, b) >= 0);
        case Op::And:
        case Op::Or:
        case Op::Xor:
        case Op::Not: return logical(op, a, b);
        case Op::Negate: return negate(a);
    }
    return Value();
}

Value Evaluate(const Node& node) {
    switch (node.kind) {
        case Node::Constant: return node.constant;
        case Node::Operator:
            return Apply(node.op, Evaluate(node.operands[0]),
                         node.operands.size() > 1 ? Evaluate(node.operands[1]) : Value());
        case Node::Call: {
            Arguments args;
            args.reserve(node.operands.size());
            for (const Node& n : node.operands) args.push_back(Evaluate(n));
            return node.function->run(args);
        }
    }
    return Value();
}

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

std::optional<Error> Expression::Parse(const QString& text, Expression& out) {
    try {
        out.root_ = std::make_unique<Node>(ParseText(text));
    } catch (const Failure& f) {
        return f.error;
    }
    return std::nullopt;
}

std::optional<Error> Expression::Evaluate(Value& out) const {
    if (!root_) return Error{SyntaxFault, description(SyntaxFault)};
    try {
        out = vbscript::Evaluate(*root_);
    } catch (const Failure& f) {
        return f.error;
    }
    return std::nullopt;
}

std::optional<Error> SyntaxError(const QString& text) {
    Expression e;
    return Expression::Parse(text, e);
}

}  // namespace vbscript
