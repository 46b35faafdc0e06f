// The values of the VBScript evaluator: errors, conversions, their texts, and
// the expression object.
#include "core/VBScriptInternal.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace vbscript {

namespace {

constexpr qsizetype kMaxText = qsizetype(1) << 24;  // characters
constexpr double kMaxCurrency = 922337203685477.5807;

QString description(int number) {
    switch (number) {
        case InvalidCall: return QStringLiteral("Argument ou appel de procédure incorrect");
        case Overflow: return QStringLiteral("Dépassement de capacité");
        case OutOfMemory: return QStringLiteral("Mémoire insuffisante");
        case SubscriptOutOfRange: return QStringLiteral("L'indice n'appartient pas à la sélection");
        case DivisionByZero: return QStringLiteral("Division par zéro");
        case TypeMismatch: return QStringLiteral("Type incompatible");
        case OutOfStringSpace: return QStringLiteral("Espace de chaîne insuffisant");
        case OutOfStackSpace: return QStringLiteral("Espace pile insuffisant");
        case InvalidUseOfNull: return QStringLiteral("Utilisation incorrecte de Null");
        case ArgumentNotOptional: return QStringLiteral("Argument non facultatif");
        case WrongArgumentCount:
            return QStringLiteral("Nombre d'arguments incorrect ou affectation de propriété incorrecte");
        case UndefinedVariable: return QStringLiteral("Variable non définie");
        case SyntaxFault: return QStringLiteral("Erreur de syntaxe");
        case ExpectedCloseParen: return QStringLiteral("')' attendu");
        case ExpectedEnd: return QStringLiteral("Fin d'instruction attendue");
        case InvalidCharacter: return QStringLiteral("Caractère non valide");
        case OpenString: return QStringLiteral("Constante chaîne non terminée");
        default: return QStringLiteral("Erreur d'exécution");
    }
}

// A number with up to `digits` significant digits, as the language writes
// it: "0.5", "1234", "1E+20", "1.5E-07".
QString numberText(double d, int digits) {
    if (d == 0) return QStringLiteral("0");
    QString s = QString::number(d, 'g', digits);
    if (!s.contains(u'e')) return s;
    s.replace(u'e', u'E');
    return s;
}

}  // namespace

Value Value::integer(qint64 n) { return Fit(Integer, double(n)); }

void Fail(int number, const QString& detail) {
    QString text = description(number);
    if (!detail.isEmpty()) text += QStringLiteral(" : '") + detail + u'\'';
    throw Failure{{number, text}};
}

Value Text(QString s) {
    if (s.size() > kMaxText) Fail(OutOfStringSpace);
    return Value::string(s);
}

Value Fit(Value::Type type, double n) {
    if (!std::isfinite(n)) Fail(Overflow);
    switch (type) {
        case Value::Byte:
            if (n >= 0 && n <= 255) return {Value::Byte, n, {}, {}};
            [[fallthrough]];
        case Value::Integer:
            if (n >= -32768 && n <= 32767) return {Value::Integer, n, {}, {}};
            [[fallthrough]];
        case Value::Long:
            if (n >= std::numeric_limits<qint32>::min() && n <= std::numeric_limits<qint32>::max())
                return {Value::Long, n, {}, {}};
            return Value::real(n);
        case Value::Single:
            if (std::abs(n) <= FLT_MAX) return {Value::Single, double(float(n)), {}, {}};
            return Value::real(n);
        case Value::Currency:
            if (std::abs(n) > kMaxCurrency) Fail(Overflow);
            return {Value::Currency, std::nearbyint(n * 10000) / 10000, {}, {}};
        case Value::Date: return DateValueOf(n);
        default: return Value::real(n);
    }
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
    switch (v.type) {
        case Value::Null: Fail(InvalidUseOfNull);
        case Value::Array:
        case Value::Missing: Fail(TypeMismatch);
        case Value::String: {
            double d = 0;
            if (!ReadNumber(v.text, d)) Fail(TypeMismatch);
            return d;
        }
        default: return v.number;
    }
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

QString TextOf(const Value& v) {
    if (v.type == Value::Null) Fail(InvalidUseOfNull);
    if (v.type == Value::Array || v.type == Value::Missing) Fail(TypeMismatch);
    return ToText(v);
}

QString ToText(const Value& v) {
    switch (v.type) {
        case Value::Boolean: return v.number != 0 ? QStringLiteral("True") : QStringLiteral("False");
        case Value::Byte:
        case Value::Integer:
        case Value::Long: return QString::number(qint64(v.number));
        case Value::Single: return numberText(v.number, 7);
        case Value::Double: return numberText(v.number, 15);
        case Value::Currency: {
            QString s = QString::number(v.number, 'f', 4);
            while (s.endsWith(u'0')) s.chop(1);
            if (s.endsWith(u'.')) s.chop(1);
            return s == u"-0" ? QStringLiteral("0") : s;
        }
        case Value::String: return v.text;
        case Value::Date: {
            const QDateTime when = DateTimeOf(v.number);
            const bool hasDate = std::trunc(v.number) != 0;
            const bool hasTime = when.time() != QTime(0, 0);
            if (!hasDate) return when.toString(QStringLiteral("HH:mm:ss"));
            if (!hasTime) return when.toString(QStringLiteral("dd/MM/yyyy"));
            return when.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        }
        default: return QString();  // Empty, Null, Array, Missing
    }
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
    } catch (const std::bad_alloc&) {
        return Error{OutOfMemory, description(OutOfMemory)};
    }
    return std::nullopt;
}

std::optional<Error> SyntaxError(const QString& text) {
    Expression e;
    return Expression::Parse(text, e);
}

std::optional<Error> Evaluate(const QString& text, Value& out) {
    Expression e;
    if (std::optional<Error> error = Expression::Parse(text, e)) return error;
    return e.Evaluate(out);
}

}  // namespace vbscript
