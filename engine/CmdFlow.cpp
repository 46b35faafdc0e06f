// Run-time handlers of "Procedure" (definition, CALL, END), "Examine",
// "Calcul" and "Calcul évolué".
#include "core/Variables.h"
#include "engine/CalculEvol.h"
#include "engine/Handlers.h"
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

// A declared Numerique operand that holds no number counts as 0 and is an
// error, kept in *error (the first one) while the row goes on.
Operand operandOf(TVariables& vars, const QString& field, CommandResult& error) {
    Operand o{vars.KindOf(field), vars.ValueOf(field)};
    if (o.kind == u"No_Type") o.kind = mdlfnct::IsInteger(o.text) ? kNumerique : kAlpha;
    if (o.kind != kNumerique) return o;
    if (mdlfnct::IsInteger(o.text))
        o.number = mdlfnct::StrToIntOrZero(o.text);
    else if (!error.failed())
        error = RunError(QStringLiteral("La valeur contenue dans ") + field +
                         QStringLiteral("n'est pas un numérique valide [") + o.text + u']');
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

CommandResult ExecProcedure(CommandCall& c) {
    TRunState& state = c.ctx.State;
    const mdlfnct::ProcedureRole role = mdlfnct::ProcedureRowRole(c.params);
    c.moved = true;
    if (role == mdlfnct::ProcedureRole::End) {
        if (state.ProcReturnStack.isEmpty())
            return RunError(QStringLiteral("Une erreur a été généré lors du retour de fin de procédure."));
        c.index = state.ProcReturnStack.takeLast() + 1;
    } else if (role == mdlfnct::ProcedureRole::Call) {
        const QString name = c.params.mid(5);
        const int definition = c.list->ProcedureRow(c.Value(name));
        if (definition < 0) return RunError(QStringLiteral("La procédure nommée ") + name + QStringLiteral(" n'existe pas."));
        state.ProcReturnStack.append(c.index);
        c.index = definition + 1;
    } else {  // reached without a CALL: the body is passed over
        const int end = c.list->EndOfProcedure(c.index);
        if (end < 0) return RunError(QStringLiteral("La procédure nommée ") + c.params + QStringLiteral(" n'est pas fermée."));
        c.index = end + 1;
    }
    return Done();
}

namespace {
// The operands are resolved by operandOf, which names them as written.
CommandResult examine(TVariables& vars, const ParamView& p, bool& holds) {
    CommandResult error;
    const Operand l = operandOf(vars, p.text(1), error);
    const Operand r = operandOf(vars, p.text(3), error);
    const QString op = p.text(2);
    holds = false;
    if (l.kind == kNumerique && r.kind == kNumerique) {
        holds = compare(l.number, op, r.number);
    } else if (l.kind == kAlpha && r.kind == kAlpha) {
        holds = op == u"<" || op == u">" ? compare(l.text.compare(r.text), op, 0) : compare(l.text, op, r.text);
    } else {
        // A number against a text that reads as an integer compares as numbers.
        const Operand* text = l.kind == kAlpha ? &l : r.kind == kAlpha ? &r : nullptr;
        if (!text || (l.kind != kNumerique && r.kind != kNumerique) || !mdlfnct::IsInteger(text->text)) return error;
        const qint32 a = l.kind == kNumerique ? l.number : mdlfnct::StrToIntOrZero(l.text);
        const qint32 b = r.kind == kNumerique ? r.number : mdlfnct::StrToIntOrZero(r.text);
        holds = compare(a, op, b);
    }
    return error;
}
}  // namespace

CommandResult ExecExamine(CommandCall& c, bool& holds) { return examine(c.ctx.Vars, c.param, holds); }

bool ExamineHolds(TRunContext& ctx, const QString& params) {
    bool holds = false;
    examine(ctx.Vars, ParamView(Command::Examine, params, ctx.Separator()), holds);
    return holds;
}

CommandResult ExecCalcul(CommandCall& c) {
    const QString target = c.param.text(1);
    const QString op = c.param.text(2);
    const QString operand = c.param.text(3);
    const QString kind = c.Kind(target);
    if (kind == kAlpha) {
        c.Write(target, op == u"+" ? c.Value(target) + c.param.value(3) : QString());
        return Done();
    }
    if (kind != kNumerique) return Done();
    CommandResult error;
    const Operand a = operandOf(c.ctx.Vars, target, error);
    const QString bText = c.param.value(3);
    if (!mdlfnct::IsInteger(bText))
        return RunError(QStringLiteral("La valeur ") + operand + QStringLiteral(" n'est pas un numérique valide [") + bText + u']');
    const qint64 b = mdlfnct::StrToIntOrZero(bText);
    if (op == u"/" && b == 0 && !error.failed()) error = RunError(QStringLiteral("Division par 0 impossible."));
    qint64 result = 0;
    if (op == u"+") result = a.number + b;
    else if (op == u"-") result = a.number - b;
    else if (op == u"*") result = a.number * b;
    else if (op == u"/" && b != 0) result = a.number / b;  // truncated toward zero
    if (result < std::numeric_limits<qint32>::min() || result > std::numeric_limits<qint32>::max())
        return RunError(QStringLiteral("Dépassement de capacité : le résultat de ") + target + u' ' + op + u' ' + operand +
                        QStringLiteral(" ne tient pas dans un entier."));
    c.Write(target, QString::number(result));
    return error;
}

CommandResult ExecCalculEvolue(CommandCall& c) { return TestCalculEvol(c.ctx.Vars, c.params, true).Error; }
