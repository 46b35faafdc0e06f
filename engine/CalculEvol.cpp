// The "Calcul évolué" expressions: "target = a + b * c ...", checked or evaluated.
#include "engine/CalculEvol.h"

#include "core/Variables.h"
#include "engine/mdlfnct.h"

#include <cmath>

namespace {

constexpr int kMaxElements = 30;
const QString kNoType = QStringLiteral("No_Type");

// One element of an expression: what it stands for now, and how it was written.
struct Element {
    QString text;
    QString written;
};
using Elements = QVector<Element>;

bool isOperator(const QString& e) { return e.size() == 1 && QStringView(u"+-/*=^").contains(e[0]); }
bool isSign(const QString& e) { return e == u"+" || e == u"-"; }
bool isNumber(const QString& e) { return mdlfnct::IsFloat(e.trimmed()); }
double numberOf(const QString& e) { return e.trimmed().toDouble(); }
QString floatToStr(double v) { return QString::number(v, 'g', 15); }
void dropEmpty(Elements& e) { e.removeIf([](const Element& x) { return x.text.isEmpty(); }); }

// Cuts the expression at its operators; false past kMaxElements elements.
bool splitElements(const QString& expression, Elements& out) {
    out.clear();
    QString current;
    auto push = [&](const QString& text) {
        if (text.trimmed().isEmpty()) return true;  // blanks between operators are no element
        out.append({text, text});
        return out.size() <= kMaxElements;
    };
    for (const QChar c : expression) {
        if (!isOperator(QString(c))) {
            current += c;
            continue;
        }
        if (!push(current)) return false;
        current.clear();
        if (!push(QString(c))) return false;
    }
    return push(current);
}

// A sign after "^", "*", "/" or "=" joins the operand after it; two signs in
// a row become one.
void foldSigns(Elements& e) {
    for (bool changed = true; changed;) {
        changed = false;
        for (qsizetype i = 1; i + 1 < e.size() && !changed; ++i) {
            const QString& t = e[i].text;
            if ((t == u"^" || t == u"*" || t == u"/" || t == u"=") && isSign(e[i + 1].text) && i + 2 < e.size() &&
                !isOperator(e[i + 2].text)) {
                e[i + 2].text = e[i + 1].text + e[i + 2].text.trimmed();
                e[i + 1].text.clear();
                changed = true;
            } else if (isSign(t) && isSign(e[i + 1].text)) {
                e[i].text = t == e[i + 1].text ? QStringLiteral("+") : QStringLiteral("-");
                e[i + 1].text.clear();
                changed = true;
            }
        }
        dropEmpty(e);
    }
}

// Reports a fault: through the message when checking, as a run-time error when
// executing only for the faults a run must hear of.
struct Outcome {
    bool execute;
    TCalculEvol& out;
    void check(const QString& text) const {
        if (!execute) out.Message = text;
    }
    void runtime(const QString& text) const {
        if (!execute) out.Message = text;
        else if (!out.Error.failed()) out.Error = RunError(text);
    }
};

// A value as a number: "," stands for the decimal point when "." does not read.
bool toNumber(QString t, double& value) {
    if (!mdlfnct::IsFloat(t) && !mdlfnct::IsInteger(t)) t.replace(u',', u'.');
    if (mdlfnct::IsInteger(t)) value = mdlfnct::StrToIntOrZero(t);
    else if (mdlfnct::IsFloat(t)) value = t.trimmed().toDouble();
    else return false;
    return true;
}

const QString kOverflow = QStringLiteral("Dépassement de capacité dans le calcul.");

// The numeric expression; false when it ended on a fault.
bool evaluateNumber(TVariables& vars, Elements& e, bool execute, const Outcome& out, double& acc) {
    foldSigns(e);
    const QString target = e[0].text.trimmed();
    acc = 0;
    if (e.size() < 3 || isOperator(e.last().text)) {
        out.check(QStringLiteral("Expression à compléter."));
        return false;
    }
    if (e[1].text != u"=") {
        const QString v = execute ? vars.ValueOf(target) : GetValueVar(vars.Declarations(), target);
        if (!execute) {
            acc = isNumber(v) ? numberOf(v) : 0;
        } else if (!toNumber(v, acc)) {  // counts as 0: the expression goes on
            acc = 0;
            out.runtime(v + QStringLiteral(" n'est pas une valeur numérique valide."));
        }
    }
    // "*", "^" and "/" first, left to right.
    for (qsizetype i = 2; i + 1 < e.size(); ++i) {
        const QString op = e[i].text;
        if ((op != u"*" && op != u"^" && op != u"/") || e[i - 1].text.isEmpty()) continue;
        for (const Element* side : {&e[i - 1], &e[i + 1]})
            if (!isNumber(side->text)) {
                out.check(QStringLiteral("La valeur ") + side->text + QStringLiteral(" n'est pas un nombre entier."));
                return false;
            }
        const double l = numberOf(e[i - 1].text), r = numberOf(e[i + 1].text);
        if (op == u"/" && r == 0) {
            const QString divisor = e[i + 1].written.trimmed();
            if (!execute && divisor != u"0")
                out.out.Result =
                    QStringLiteral("Attention au risque de division par zéro lié à la variable ") + divisor;
            else
                out.runtime(QStringLiteral("Division by zero"));
            return false;
        }
        const double v = op == u"*" ? l * r : op == u"/" ? l / r : std::round(std::pow(l, r));
        if (!std::isfinite(v)) {
            out.runtime(kOverflow);
            return false;
        }
        e[i + 1].text = floatToStr(v);
        e[i - 1].text.clear();
        e[i].text.clear();
    }
    dropEmpty(e);
    // Then the sums.
    for (qsizetype i = 2; i < e.size(); ++i) {
        const QString& el = e[i].text;
        if (el.trimmed().isEmpty()) {
            out.check(QStringLiteral("Expression à compléter."));
            return false;
        }
        if (isSign(el) || el == u"=") continue;
        if (!isNumber(el)) {
            out.check(el + QStringLiteral(" n'est pas une valeur numérique correct."));
            return false;
        }
        const QString& before = e[i - 1].text;
        if (before == u"+" || before == u"=") acc += numberOf(el);
        else if (before == u"-") acc -= numberOf(el);
    }
    if (!std::isfinite(acc)) {
        out.runtime(kOverflow);
        return false;
    }
    return true;
}

}  // namespace

QString GetValueVar(const TMacroDocument* doc, const QString& name) {
    if (!doc) return name;
    for (const MacroCommand& c : doc->rows()) {  // the first declaration counts
        if (c.keyword != u"Variable") continue;
        const TParamFields f = SplitFields(c.params, ParamSeparator(), SplitRule::Editor);
        if (f[1] == name) return f[2];
    }
    return name;
}

void DeleteEmptyElements(QStringList& elements) { elements.removeAll(QString()); }

TCalculEvol TestCalculEvol(TVariables& vars, const QString& Expression, bool Execute) {
    TCalculEvol answer;
    answer.Kind = kNoType;
    const Outcome out{Execute, answer};
    Elements e;
    if (!splitElements(Expression, e)) {
        out.check(QStringLiteral("Expression ne peut pas contenir plus de 30 éléments (opérateurs et opérandes)."));
        return answer;
    }
    const QString target = e.isEmpty() ? QString() : e[0].text.trimmed();
    answer.Kind = vars.KindOf(target);
    if (answer.Kind == kNoType) {
        out.check(QStringLiteral("Le premier élément de l'expression doit obligatoirement être une variable."));
        return answer;
    }
    auto valueOf = [&](const QString& name) { return Execute ? vars.ValueOf(name) : GetValueVar(vars.Declarations(), name); };
    // Variables stand for their value: the current one when executing, the
    // declared one when checking.
    for (qsizetype i = 1; i < e.size(); ++i) {
        const QString name = e[i].text.trimmed();
        if (isOperator(e[i].text) || vars.KindOf(name) == kNoType) continue;
        e[i] = {valueOf(name), name};
    }
    QString result;
    if (answer.Kind == u"Alpha") {
        // The target's value (none after "="), then every element but the "+"
        // between them; the middle one of three "+" is a "+" of the text.
        if (e.value(1).text != u"=") result = valueOf(target);
        for (qsizetype i = 2; i < e.size(); ++i) {
            if (e[i].text != u"+") result += e[i].text;
            else if (i + 1 < e.size() && e[i - 1].text == u"+" && e[i + 1].text == u"+") result += u'+';
        }
    } else if (answer.Kind == u"Numerique") {
        double acc = 0;
        if (!evaluateNumber(vars, e, Execute, out, acc)) return answer;
        result = floatToStr(acc);
    } else {
        return answer;
    }
    answer.Result = result;
    if (Execute) vars.Write(target, result);
    return answer;
}
