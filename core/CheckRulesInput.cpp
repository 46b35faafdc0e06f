// Check rules of the mouse, keyboard and dialog commands: Move Mouse, Click,
// Type, Type Special, Question and Pause.
#include "core/CheckRules.h"
#include "core/Helpers.h"

namespace Debug {

bool CheckMoveMouse(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (!c.needDeclaredFields(Command::MoveMouse)) return c.ok;
    c.validate(c.declared(Command::MoveMouse, QStringLiteral("Déplacement souris")));
    return c.ok;
}

bool CheckClick(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    const QString& action = c[1];
    if (action.isEmpty()) c.warning(QStringLiteral("Aucun paramètre n'est spécifié dans la commande Click."));
    for (const char* button : {"Left", "Middle", "Right"}) {
        const QString up = QLatin1String(button) + QStringLiteral(" Up");
        const QString down = QLatin1String(button) + QStringLiteral(" Down");
        if (action != up && action != down) continue;
        const int ups = mdlfnct::CountCommandsWithParam(QStringLiteral("Click"), up, *list, ParamSeparator());
        const int downs = mdlfnct::CountCommandsWithParam(QStringLiteral("Click"), down, *list, ParamSeparator());
        if (ups > downs)
            c.warning(QStringLiteral("Le nombre de relâchement du bouton ") + up +
                      QStringLiteral(" de la souris est supérieur à l'appui."));
        else if (downs > ups)
            c.warning(QStringLiteral("Le nombre d'appui du bouton ") + down +
                      QStringLiteral(" de la souris est supérieur au relâchement."));
    }
    return c.ok;
}

bool CheckType(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (params.isEmpty()) c.warning(QStringLiteral("Commande inutile puisque aucun paramètre"));
    return c.ok;
}

bool CheckTypeSpecial(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    c.validate(c.declared(Command::TypeSpecial, QStringLiteral("Type special")));
    const QString& fourth = c[4];
    if (!fourth.isEmpty() && fourth != QLatin1String("[KeyDown]") && fourth != QLatin1String("[KeyUp]"))
        c.warning(QStringLiteral("Le nombre maximal est 3 touches simultanées."));
    return c.ok;
}

bool CheckQuestion(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (!c.needDeclaredFields(Command::Question)) return c.ok;
    if (c[1].isEmpty()) c.warning(QStringLiteral("Aucun titre n'est spécifié dans la fenêtre de la commande question."));
    if (c[2].isEmpty())
        c.warning(QStringLiteral("Aucun message n'est spécifié dans la fenêtre de la commande question."));
    const QString& var = c[3];
    if (!var.isEmpty() && kindOf(var) == QLatin1String("No_Type"))
        c.error(QStringLiteral("La variable ") + var + QStringLiteral(" appelée dans la commande question n'existe pas."));
    c.notReadOnly(var);
    return c.ok;
}

bool CheckPause(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (mdlfnct::TimeValide(c[1])) return c.ok;
    const QString kind = kindOf(c[1]);
    if (kind == QLatin1String("Alpha"))
        c.warning(QStringLiteral("Assurez-vous que la variable placée dans le temps de pause contient une valeur "
                                 "00:00:00."));
    else if (kind == QLatin1String("No_Type"))
        c.error(QStringLiteral("Le temps de pause est invalide, (00:00:01) ou variable."));
    return c.ok;
}

}  // namespace Debug
