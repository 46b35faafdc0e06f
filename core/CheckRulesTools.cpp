// Check rules of Fonction, Champs, Objet and the display, power and folder tools.
#include "core/CheckRules.h"
#include "core/Display.h"
#include "core/MacroDocument.h"

namespace Debug {

namespace {
const QString kNumerique = QStringLiteral("Numerique");

// A field name of "Champs" must be declared by a "Variable" row.
void checkFieldVariable(RowCheck& c, const QString& name) {
    if (!c.list->HasRowWithField(QStringLiteral("Variable"), 1, name))
        c.error(QStringLiteral("Le champ ") + name +
                QStringLiteral("n'a pas de variable correpondant, veuillez déclarer la variable."));
}

// The outcome of a display mode tested without applying it.
void checkDisplayTest(RowCheck& c, int code, const QString& what) {
    if (code == 0) return;
    if (code == -2)
        c.error(QStringLiteral("Le mode Graphique n'est pas supporté."));
    else if (code == 1)
        c.error(QStringLiteral("Votre configuration demande un redémarrage du PC, il n'est donc pas possible "
                               "d'exécuter cette commande."));
    else
        c.error(QStringLiteral("Le test de changement de ") + what + QStringLiteral(" a echoué."));
}
}  // namespace

bool CheckFonction(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    // The result variable; of a text function, the text, and the positions of "Caractère(s)/Position(s)".
    QList<int> checked = {1};
    if (c[2] == QLatin1String("Texte")) {
        const QString& function = c[3];
        const int fields = c.fieldCount();
        for (const QString& named : {QStringLiteral("Caractère(s)/Position(s)"), QStringLiteral("Caractère(s)/Longueur")}) {
            if (function == named && fields != 6) {
                c.error(QStringLiteral("Le paramètre %1 de la commande %2 est introuvable.").arg(fields + 1).arg(named));
                return c.ok;
            }
        }
        if (function == QLatin1String("Longueur") && fields != 4) {
            c.error(QStringLiteral("Veuillez sélectionner dans les paramètres uniquement le texte a traiter."));
            return c.ok;
        }
        checked << 4;
        if (function == QStringLiteral("Caractère(s)/Position(s)")) checked << 5 << 6;
    }
    c.validate(c.declared(Command::Fonction, QStringLiteral("Fonction"), checked));
    c.notReadOnly(c[1]);
    return c.ok;
}

bool CheckChamps(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (kindOf(c[1]) != QLatin1String("Alpha"))
        c.error(QStringLiteral("La variable a traiter dans la commande déclaration de champs n'est pas valide."));
    const QString obsoleteField = QStringLiteral("Si vous n'utilisez pas de champ cette commande devient obsolette.");
    if (c[2] == QLatin1String("D")) {
        bool noDelimiter = true;
        for (int i = 3; i <= 7; ++i) noDelimiter = noDelimiter && c[i].isEmpty();
        if (noDelimiter)
            c.warning(QStringLiteral("Si vous ne séléctionnez pas de séparateur cette commande devient obsolette."));
        if (c[8].isEmpty()) c.warning(obsoleteField);
        for (int name = 8; name + 1 <= 19; name += 2) {
            if (!c[name].isEmpty()) checkFieldVariable(c, c[name]);
            if (!c[name + 1].isEmpty() && !isInt(c[name + 1]))
                c.error(QStringLiteral("Le paramètre du champ ") + c[name] + QStringLiteral("n'est pas un nombre entier."));
        }
    } else if (c[2] == QLatin1String("F")) {
        if (c[3].isEmpty()) c.warning(obsoleteField);
        for (int name = 3; name + 2 <= 20; name += 3) {
            if (c[name].isEmpty()) continue;
            checkFieldVariable(c, c[name]);
            if (!isInt(c[name + 1]) || !isInt(c[name + 2]))
                c.error(QStringLiteral("L'un des paramètres du champ ") + c[name] +
                        QStringLiteral("n'est pas un nombre entier."));
        }
    }
    return c.ok;
}

bool CheckObjet(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (!c.needDeclaredFields(Command::Objet)) return c.ok;
    TstructOrdre d = c.declared(Command::Objet, QStringLiteral("Objet"));
    if (c[9] == QLatin1String("3")) d.Params[10].EmptyAllowed = false;  // taking the n-th needs n
    c.validate(d);
    return c.ok;
}

bool CheckOutilAffichage(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (c[1] == QStringLiteral("Résolution")) {
        c.validate(c.declared(Command::OutilAffichage, QStringLiteral("Résolution")));
        if (c.ok)
            checkDisplayTest(c, ChangeResolEcran(c[2].toInt(), c[3].toInt(), false, c[4].section(u' ', 0, 0).toInt()),
                             QStringLiteral("résolution"));
    } else if (c[1] == QStringLiteral("Fréquence")) {
        c.validate(c.declared(Command::OutilAffichage, QStringLiteral("Fréquence")));
        if (c.ok)
            checkDisplayTest(c, ChangeFreqEcran(c[2].toInt(), false), QStringLiteral("Fréquence"));
    }
    return c.ok;
}

bool CheckOutilAlimentation(const TMacroDocument* list, const QString& params, int row, int source,
                            TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    c.validate(c.declared(Command::OutilAlimentation, QStringLiteral("Outil alimentation"), {1}));
    return c.ok;
}

bool CheckOutilRepertoire(const TMacroDocument* list, const QString& params, int row, int source,
                           TCheckReport& report) {
    return RowCheck(list, params, row, source, report).ok;
}

}  // namespace Debug
