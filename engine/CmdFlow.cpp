// Run-time handlers of "Procedure" (definition, CALL, END), "Examine",
// "Calcul" and "Calcul évolué".
#include "core/Unit1.h"
#include "engine/CalculEvol.h"
#include "engine/Handlers.h"
#include "engine/Runner.h"
#include "engine/mdlfnct.h"

#include <limits>

namespace {

const QString kNumerique = QStringLiteral("Numerique");
const QString kAlpha = QStringLiteral("Alpha");

// An operand of "Examine" or "Calcul": its kind and value. A literal is a
// number when it reads as an integer, else a text.
struct Operand {
    QString kind;
    QString text;
    qint32 number = 0;
};

Operand operandOf(const QString& field) {
    Operand o{mdlfnct::GetVarType(field), mdlfnct::GetVarValue(field)};
    if (o.kind == u"No_Type") o.kind = mdlfnct::IsInteger(o.text) ? kNumerique : kAlpha;
    if (o.kind != kNumerique) return o;
    if (mdlfnct::IsInteger(o.text))
        o.number = mdlfnct::StrToIntOrZero(o.text);
    else
        Runner->RaiseExecError(QStringLiteral("La valeur contenue dans ") + field +
                                  QStringLiteral("n'est pas un numérique valide [") + o.text + u']',
                              0);
    return o;
}

template <class T>
bool compare(const T& l, const QString& op, const T& r) {
    if (op == u"=") return l == r;
    if (op == u"<") return l < r;
    if (op == u">") return l > r;
    if (op == u"<>") return l != r;
    return false;
}

}  // namespace

int ExecProcedure(TListView* list, int row, const QString& params, TActiveOrder&) {
    int next = -1;
    QString message;
    const mdlfnct::ProcedureRole role = mdlfnct::ProcedureRowRole(params);
    if (role == mdlfnct::ProcedureRole::End) {
        if (!ProcReturnStack.isEmpty())
            next = ProcReturnStack.takeLast() + 1;
        else
            message = QStringLiteral("Une erreur a été généré lors du retour de fin de procédure.");
    } else if (role == mdlfnct::ProcedureRole::Call) {
        const QString name = params.mid(5);
        const int definition = Form1->procedure_exists(list, name);
        if (definition >= 0) {
            ProcReturnStack.append(row);
            next = definition + 1;
        } else {
            message = QStringLiteral("La procédure nommée ") + name + QStringLiteral(" n'existe pas.");
        }
    } else {  // reached without a CALL: the body is passed over
        const int end = Form1->FindEndOfProcedure(list, row);
        if (end >= 0)
            next = end + 1;
        else
            message = QStringLiteral("La procédure nommée ") + params + QStringLiteral(" n'est pas fermée.");
    }
    if (!message.isEmpty()) Runner->RaiseExecError(message, 0);
    return next;
}

bool ExecExamine(const QString& params) {
    const TParamFields f = mdlfnct::SplitParams(params);
    const Operand l = operandOf(f[1]);
    const Operand r = operandOf(f[3]);
    const QString& op = f[2];
    if (l.kind == kNumerique && r.kind == kNumerique) return compare(l.number, op, r.number);
    if (l.kind == kAlpha && r.kind == kAlpha) {
        if (op == u"<" || op == u">") return compare(l.text.compare(r.text), op, 0);
        return compare(l.text, op, r.text);
    }
    // A number against a text that reads as an integer compares as numbers.
    const Operand* text = l.kind == kAlpha ? &l : r.kind == kAlpha ? &r : nullptr;
    if (!text || (l.kind != kNumerique && r.kind != kNumerique) || !mdlfnct::IsInteger(text->text)) return false;
    const qint32 a = l.kind == kNumerique ? l.number : mdlfnct::StrToIntOrZero(l.text);
    const qint32 b = r.kind == kNumerique ? r.number : mdlfnct::StrToIntOrZero(r.text);
    return compare(a, op, b);
}

void ExecCalcul(const QString& params) {
    const TParamFields f = mdlfnct::SplitParams(params);
    const QString& target = f[1];
    const QString& op = f[2];
    const QString kind = mdlfnct::GetVarType(target);
    if (kind == kAlpha) {
        const QString value = op == u"+" ? mdlfnct::GetVarValue(target) + mdlfnct::GetVarValue(f[3]) : QString();
        Form1->WriteVariable(QStringLiteral("VAR"), target, value);
        return;
    }
    if (kind != kNumerique) return;
    const Operand a = operandOf(target);
    const QString bText = mdlfnct::GetVarValue(f[3]);
    if (!mdlfnct::IsInteger(bText)) {
        Runner->RaiseExecError(QStringLiteral("La valeur ") + f[3] + QStringLiteral(" n'est pas un numérique valide [") +
                                  bText + u']',
                              0);
        return;
    }
    const qint64 b = mdlfnct::StrToIntOrZero(bText);
    qint64 result = 0;
    if (op == u"+") result = a.number + b;
    else if (op == u"-") result = a.number - b;
    else if (op == u"*") result = a.number * b;
    else if (op == u"/" && b != 0) result = a.number / b;  // truncated toward zero
    if (op == u"/" && b == 0) Runner->RaiseExecError(QStringLiteral("Division par 0 impossible."), 0);
    if (result < std::numeric_limits<qint32>::min() || result > std::numeric_limits<qint32>::max()) {
        Runner->RaiseExecError(QStringLiteral("Dépassement de capacité : le résultat de ") + target + u' ' + op + u' ' +
                                  f[3] + QStringLiteral(" ne tient pas dans un entier."),
                              0);
        return;
    }
    Form1->WriteVariable(QStringLiteral("VAR"), target, QString::number(result));
}

void ExecCalculEvolue(const QString& params) {
    QString message;
    TestCalculEvol(params, true, message);
}
