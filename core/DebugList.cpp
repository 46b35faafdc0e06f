// The check-list writer and the per-keyword dispatcher of the checker.
#include "core/CheckRules.h"
#include "core/CommandNames.h"
#include "core/IgnoreMsg.h"
#include "core/Services.h"
#include "core/MacroDocument.h"

#include <QLocale>

namespace Debug {

TCheckReport& ProgramCheckReport() {
    static TCheckReport report;
    return report;
}

bool AddCheckError(int lineNumber, const QString& kind, const QString& message, int sourceNumber) {
    return AddCheckError(ProgramCheckReport(), lineNumber, kind, message, sourceNumber);
}

bool AddCheckError(TCheckReport& report, int lineNumber, const QString& kind, const QString& message,
                   int sourceNumber) {
    for (TIgnoreMsg& ignored : TTabIgnoreMsg) {
        if (ignored.Message != message) continue;
        ignored.StillPresent = true;
        return false;
    }
    report.RemoveValidRow();
    const bool isError = kind == kErreur;
    const QString caption = sourceNumber == 0 ? QString::number(lineNumber)
                                              : QString::number(sourceNumber) + QLocale::system().decimalPoint() +
                                                    QString::number(lineNumber);
    report.Add({caption, kind, message, isError ? 0 : 1});
    if (isError) ++report.ErrorCount;
    return true;
}

bool IsReadOnlySysVar(const QString& name) { return Services().IsSysVar(name) && !Services().SysVarWritable(name); }

namespace {
// A command the checker has nothing to say about.
bool noRule(const TMacroDocument*, const QString&, int, int, TCheckReport&) { return true; }

struct RuleEntry {
    Command command;
    CheckRoutine check;
};
constexpr RuleEntry kRules[] = {
    {Command::Plugin, nullptr},  // a plug-in or unknown keyword: CheckCommand decides by the keyword
    {Command::Goto, CheckGoto},
    {Command::Procedure, CheckProcedure},
    {Command::Label, CheckLabel},
    {Command::Examine, CheckExamine},
    {Command::Variable, CheckVariable},
    {Command::ScriptEval, CheckScriptEval},
    {Command::MoveMouse, CheckMoveMouse},
    {Command::Click, CheckClick},
    {Command::TrouveImage, noRule},
    {Command::Lire, CheckLire},
    {Command::Ecrire, CheckEcrire},
    {Command::Calcul, CheckCalcul},
    {Command::CalculEvolue, CheckCalculEvolue},
    {Command::Fonction, CheckFonction},
    {Command::Commentaire, noRule},
    {Command::Champs, CheckChamps},
    {Command::Type, CheckType},
    {Command::Execute, CheckExecute},
    {Command::ParcoursSouris, noRule},
    {Command::TypeSpecial, CheckTypeSpecial},
    {Command::Objet, CheckObjet},
    {Command::Question, CheckQuestion},
    {Command::Manipulation, noRule},
    {Command::Pause, CheckPause},
    {Command::OutilFichier, CheckOutilFichier},
    {Command::OutilEcran, CheckOutilEcran},
    {Command::OutilAffichage, CheckOutilAffichage},
    {Command::OutilAlimentation, CheckOutilAlimentation},
    {Command::OutilRepertoire, CheckOutilRepertoire},
    {Command::Quitter, noRule},
    {Command::Inclusion, CheckInclusion},
    {Command::Message, noRule},
};
static_assert(CoversEveryCommand(kRules), "kRules: one checker rule per command, in the order of the command table");
}  // namespace

bool CheckCommand(const TMacroDocument& list, const QString& keyword, const QString& params, int sourceNumber, int row,
                  TCheckReport& report) {
    const int c = CommandCase(keyword);
    if (c == 0) {
        if (Services().PluginKnown(keyword))
            return CheckPluginCommand(&list, keyword, params, row, sourceNumber, report);
        return !AddCheckError(report, row + 1, kErreur, QStringLiteral("<unknown>"), sourceNumber);
    }
    return kRules[c].check(&list, params, row, sourceNumber, report);
}

}  // namespace Debug
