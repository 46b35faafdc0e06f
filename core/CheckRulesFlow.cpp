// Check rules of the flow and calculation commands: Goto, Label, Procedure,
// Examine, Calcul, Calcul évolué and Variable.
#include "core/CheckRules.h"
#include "core/CommandParams.h"
#include "core/MacroDocument.h"
#include "core/Helpers.h"

namespace Debug {

namespace {
const QString kNumerique = QStringLiteral("Numerique");
const QString kAlpha = QStringLiteral("Alpha");
const QString kNoType = QStringLiteral("No_Type");

// Rules shared by "Examine" and "Calcul" (examine: the "Examine" texts).
void checkOperation(RowCheck& c, bool examine) {
    const QString& var = c[1];
    const QString& op = c[2];
    const QString& operand = c[3];
    if (c.params.startsWith(ParamSeparator())) c.error(QStringLiteral("Vous devez spécifez tous les paramètres."));
    const QString kind = kindOf(var);
    const QString operandKind = kindOf(operand);
    if (kind == kNoType)
        c.error(examine ? QStringLiteral("Le premier paramètre d'examine doit être une variable.")
                        : QStringLiteral("Le premier paramètre de calcul doit être une variable."));
    if (kind == kNumerique && operandKind == kAlpha)
        c.warning(QStringLiteral("Assurez vous que la variable du deuxième paramètre de la commande %1 contient une "
                                 "valeur numerique.")
                      .arg(examine ? QStringLiteral("d'examine") : QStringLiteral("calcul")));
    if (!examine && kind == kAlpha && op != QLatin1String("+"))
        c.error(QStringLiteral("Operation impossible sur une variable de type alphanumérique."));
    if (kind == kNumerique && operandKind == kNoType && !isInt(operand))
        c.error(QStringLiteral("Le deuxième operande doit être un nombre entier."));
    if (!examine && op == QLatin1String("/") && operand == QLatin1String("0"))
        c.error(QStringLiteral("Division par 0 impossible."));
    if (!examine) c.notReadOnly(var);
}
}  // namespace

bool CheckGoto(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    const QString& target = c[1];
    if (!isInt(target)) {
        if (list->FindRow(QStringLiteral("Label"), target) < 0)
            c.error(QStringLiteral("Le Label nommé ") + target + QStringLiteral(" n'existe pas."));
        return c.ok;
    }
    const qint64 n = mdlfnct::StrToIntOrZero(target);
    if (n < 1 || n > list->count() + 1)
        c.error(QStringLiteral("La commande n° ") + target + QStringLiteral(" n'existe pas."));
    if (n == row + 1) c.error(QStringLiteral("La commande Goto ne peut pas Boucler sur soi-même."));
    return c.ok;
}

bool CheckLabel(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    const QString& name = c[1];
    if (list->FindRow(QStringLiteral("Goto"), name) < 0)
        c.warning(QStringLiteral("Aucun Goto ") + name + QStringLiteral(" n'a été appelé."));
    const int count = mdlfnct::CountCommandsWithParam(QStringLiteral("Label"), name, *list, ParamSeparator());
    if (count > 1)
        c.error(QStringLiteral("Le label nommé %1 est défini %2 fois.").arg(name).arg(count));
    // A Label without any Goto has no loop at all, even on the first row.
    const int gotoRow = list->FindRow(QStringLiteral("Goto"), name);
    if (gotoRow >= 0 && (gotoRow == row - 1 || gotoRow == row + 1))
        c.error(QStringLiteral("La boucle Label-Goto ne peut pas être vide."));
    return c.ok;
}

bool CheckProcedure(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    const mdlfnct::ProcedureRole role = mdlfnct::ProcedureRowRole(params);
    if (role == mdlfnct::ProcedureRole::End) {
        if (!list->ProceduresBalanced(row, false)) c.error(QStringLiteral("Aucune procédure à fermer."));
    } else if (role == mdlfnct::ProcedureRole::Call) {
        // A variable of that name declares no procedure: a declaration row is needed.
        if (list->ProcedureRow(params.mid(5)) < 0)
            c.error(QStringLiteral("Définition de procédure introuvable."));
    } else if (list->EndOfProcedure(row) < 0) {
        c.error(QStringLiteral("Fin de procédure introuvable."));
    }
    return c.ok;
}

bool CheckExamine(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (!c.needDeclaredFields(Command::Examine)) return c.ok;
    checkOperation(c, true);
    // The two rows below belong to the Examine: one runs when it holds, the other when not.
    if (row + 2 >= list->count()) {
        c.error(QStringLiteral("La commande examine a besoin de deux commandes placées en dessous d'elle pour agir "
                               "correctement."));
        return c.ok;
    }
    for (int lower = row + 1; lower <= row + 2; ++lower) {
        const QString keyword = list->keyword(lower);
        if (keyword == QLatin1String("Label")) {
            c.errorAt(lower + 1, QStringLiteral("Un label ne peut pas être défini à cette endroit, car la position de "
                                                "cette commande appartient à la commande Examine ci-dessus."));
            return c.ok;
        }
        if (keyword == QLatin1String("Procedure") &&
            mdlfnct::ProcedureRowRole(list->params(lower)) != mdlfnct::ProcedureRole::Call) {
            c.errorAt(lower + 1, QStringLiteral("Une procédure ne peut pas être définie à cette endroit, car la "
                                                "position de cette commande appartient à la commande Examine "
                                                "ci-dessus."));
            return c.ok;
        }
    }
    return c.ok;
}

bool CheckCalcul(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (c.needDeclaredFields(Command::Calcul)) checkOperation(c, false);
    return c.ok;
}

bool CheckCalculEvolue(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    c.notReadOnly(params.section(u'=', 0, 0).trimmed());
    return c.ok;
}

bool CheckVariable(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    const QString& name = c[1];
    for (const char* bad : {"+", "-", "/", "*", "="})
        if (name.contains(QLatin1String(bad)))
            c.error(QStringLiteral("Le nom de la variable ne peut posséder le caractère \"%1\".").arg(QLatin1String(bad)));
    if (name == QLatin1String("[MACRO.MAIL]") && !c[2].contains(u'@')) c.warning(QStringLiteral("Adresse mail invalide."));
    // Name, initial value (which may hold the separator) and kind.
    if (!CountsOf(LayoutOf(Command::Variable)).fits(c.fieldCount())) {
        c.error(QStringLiteral("Nombre de paramètre invalide."));
        report.StructureBroken = true;
        return c.ok;
    }
    if (!list->VarUse(name))
        c.warning(QStringLiteral("La variable nommée ") + name + QStringLiteral(" n'est pas utilisée."));
    return c.ok;
}

}  // namespace Debug
