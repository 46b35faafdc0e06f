// The "Calcul évolué" expressions: "target = a + b * c ...", checked or evaluated.
#include "engine/CalculEvol.h"

#include "core/Unit1.h"
#include "engine/Runner.h"
#include "engine/mdlfnct.h"

#include <cmath>

QString CalculResult;
QString CalculKind;

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
    QString& message;
    void check(const QString& text) const {
        if (!execute) message = text;
    }
    void runtime(const QString& text) const {
        if (execute) Form1->RaiseExecError(text, 0);
        else message = text;
    }
};

const QString kOverflow = QStringLiteral("Dépassement de capacité dans le calcul.");

// The numeric expression; false when it ended on a fault.
bool evaluateNumber(Elements& e, bool execute, const Outcome& out, double& acc) {
    foldSigns(e);
    const QString target = e[0].text.trimmed();
    acc = 0;
    if (e.size() < 3 || isOperator(e.last().text)) {
        out.check(QStringLiteral("Expression à compléter."));
        return false;
    }
    if (e[1].text != u"=") {
        const QString v = execute ? mdlfnct::GetVarValue(target) : GetValueVar(target);
        acc = execute ? Runner->StrToNumber(v) : (isNumber(v) ? numberOf(v) : 0);
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
                CalculResult =
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

QString GetValueVar(const QString& name) {
    QString value = name;
    if (!Form1) return value;
    for (const MacroCommand& c : Form1->ListView1->items().rows()) {
        if (c.keyword != u"Variable") continue;
        const TParamFields f = TForm1::GetParam(c.params);
        if (f[1] == name) value = f[2];
    }
    return value;
}

void DeleteEmptyElements(QStringList& elements) { elements.removeAll(QString()); }

void TestCalculEvol(const QString& Expression, bool Execute, QString& Message) {
    Message.clear();
    CalculResult.clear();
    CalculKind = kNoType;
    const Outcome out{Execute, Message};
    Elements e;
    if (!splitElements(Expression, e)) {
        out.check(QStringLiteral("Expression ne peut pas contenir plus de 30 éléments (opérateurs et opérandes)."));
        return;
    }
    const QString target = e.isEmpty() ? QString() : e[0].text.trimmed();
    CalculKind = mdlfnct::GetVarType(target);
    if (CalculKind == kNoType) {
        out.check(QStringLiteral("Le premier élément de l'expression doit obligatoirement être une variable."));
        return;
    }
    // Variables stand for their value: the current one when executing, the
    // declared one when checking.
    for (qsizetype i = 1; i < e.size(); ++i) {
        const QString name = e[i].text.trimmed();
        if (isOperator(e[i].text) || mdlfnct::GetVarType(name) == kNoType) continue;
        e[i] = {Execute ? mdlfnct::GetVarValue(name) : GetValueVar(name), name};
    }
    QString result;
    if (CalculKind == u"Alpha") {
        // The target's value (none after "="), then every element but the "+"
        // between them; the middle one of three "+" is a "+" of the text.
        if (e.value(1).text != u"=") result = Execute ? mdlfnct::GetVarValue(target) : GetValueVar(target);
        for (qsizetype i = 2; i < e.size(); ++i) {
            if (e[i].text != u"+") result += e[i].text;
            else if (i + 1 < e.size() && e[i - 1].text == u"+" && e[i + 1].text == u"+") result += u'+';
        }
    } else if (CalculKind == u"Numerique") {
        double acc = 0;
        if (!evaluateNumber(e, Execute, out, acc)) return;
        result = floatToStr(acc);
    } else {
        return;
    }
    CalculResult = result;
    if (Execute) Form1->WriteVariable(QStringLiteral("VAR"), target, result);
}
