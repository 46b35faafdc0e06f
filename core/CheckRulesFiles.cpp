// Check rules of the file commands: Lire, Ecrire, Outil Fichier, Outil Ecran,
// Inclusion and Execute.
#include "core/CheckRules.h"
#include "core/Helpers.h"
#include "core/Services.h"

namespace Debug {

namespace {
const QString kNumerique = QStringLiteral("Numerique");
const QString kNoType = QStringLiteral("No_Type");

// The source file of "Outil Fichier" and the target of "Outil Ecran" (parameter 1).
void checkSourceFile(RowCheck& c, const QString& file) {
    const QString kind = kindOf(file);
    if (kind == kNoType && !mdlfnct::IsValidFileName(file))
        c.error(QStringLiteral("Le paramètre 1 n'est pas un nom de fichier valide."));
    else if (kind == kNumerique)
        c.error(QStringLiteral("Le paramètre 1 ne peut pas être une variable numèrique."));
}
}  // namespace

bool CheckLire(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (!c.needDeclaredFields(Command::Lire)) return c.ok;
    const QString& file = c[1];
    const QString& var = c[2];
    const QString& position = c[3];
    if (kindOf(file) == kNoType && !fileExists(file))
        c.warning(QStringLiteral("Le fichier ") + file + QStringLiteral(" appelé dans la commande lire n'existe pas."));
    // A writable system variable takes the line ("[CLIPBOARD]" even a whole clipboard file).
    const bool writableSysVar = Services().IsSysVar(var) && Services().SysVarWritable(var);
    if (kindOf(var) == kNoType && !writableSysVar)
        c.error(QStringLiteral("La variable ") + var + QStringLiteral(" appelée dans la commande lire n'existe pas."));
    if (!isInt(position)) {
        const QString kind = kindOf(position);
        if (kind == QLatin1String("Alpha"))
            c.warning(QStringLiteral("Assurez-vous que la variable placée dans la position de lecture contient une "
                                     "valeur numerique."));
        else if (kind == kNoType)
            c.error(QStringLiteral("La position de lecture est invalide."));
    }
    c.notReadOnly(var);
    return c.ok;
}

bool CheckEcrire(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (!c.needDeclaredFields(Command::Ecrire)) return c.ok;
    if (!mdlfnct::IsValidFileName(c[1]))
        c.warning(QStringLiteral("Nom de fichier ") + c[1] + QStringLiteral(" est peut être incorrect dans la commande ecrire."));
    return c.ok;
}

bool CheckOutilFichier(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    const QString& action = c[1];
    const QString& from = c[2];
    const QString& to = c[3];
    const bool copyOrMove = action == QLatin1String("Copier") || action == QStringLiteral("Déplacer");
    if (copyOrMove || action == QLatin1String("Renommer")) {
        checkSourceFile(c, from);
        const QString kind = kindOf(to);
        if (kind == kNoType && copyOrMove && !mdlfnct::IsValidPath(to))
            c.error(QStringLiteral("Le paramètre 2 n'est pas un répertoire valide."));
        else if (kind == kNoType && !copyOrMove && !mdlfnct::IsValidFileName(to))
            c.error(QStringLiteral("Le paramètre 2 n'est pas un nom de fichier valide."));
        else if (kind == kNumerique)
            c.error(QStringLiteral("Le paramètre 2 ne peut pas être une variable numèrique."));
    } else if (action == QLatin1String("Effacer")) {
        checkSourceFile(c, from);
        if (kindOf(from) == kNoType && !fileExists(from))
            c.warning(QStringLiteral("Le fichier que vous voulez effacer n'existe pas (A moins qu'il soit créé durant "
                                     "l'exécution de la macro)."));
    }
    return c.ok;
}

bool CheckOutilEcran(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    const QString& action = c[1];
    const QString& file = c[2];
    const QString extension = action == QLatin1String("Copier vers bmp")   ? QStringLiteral(".bmp")
                              : action == QLatin1String("Copier vers jpg") ? QStringLiteral(".jpg")
                                                                           : QString();
    if (!extension.isEmpty()) {
        const QString kind = kindOf(file);
        const int dot = file.lastIndexOf(u'.');
        if (kind == kNoType && mdlfnct::IsValidFileName(file) && (dot < 0 || file.mid(dot) != extension))
            c.error(QStringLiteral("Le paramètre 1 n'est pas un fichier avec l'extension ") + extension +
                    QStringLiteral("."));
        else
            checkSourceFile(c, file);
    }
    if (fileExists(mdlfnct::GetVarValue(file))) c.warning(QStringLiteral("Vous allez écraser un fichier existant."));
    return c.ok;
}

bool CheckInclusion(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (!fileExists(params)) c.error(QStringLiteral("Fichier inclusion introuvable [") + params + QStringLiteral("]."));
    return c.ok;
}

bool CheckExecute(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    if (kindOf(c[1]) == kNumerique)
        c.error(QStringLiteral("La variable ") + c[1] + QStringLiteral(" est numèrique."));
    return c.ok;
}

}  // namespace Debug
