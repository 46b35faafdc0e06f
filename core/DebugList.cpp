// The check-list writer and the per-keyword dispatcher of the checker.
#include "core/CheckRules.h"
#include "core/CommandNames.h"
#include "core/Form.h"
#include "core/IgnoreMsg.h"
#include "core/Services.h"
#include "core/Unit1.h"

#include <QAbstractButton>
#include <QLocale>
#include <QStyle>
#include <QTreeWidget>

namespace Debug {

quint16 CheckErrorCount = 0;
bool CheckStructureBroken = false;
qint32 CheckSortColumn = 0;
bool CheckSortDescending = false;

bool AddCheckError(TListView* list, int lineNumber, const QString& kind, const QString& message, int sourceNumber) {
    for (TIgnoreMsg& ignored : TTabIgnoreMsg) {
        if (ignored.Message != message) continue;
        ignored.StillPresent = true;
        return false;
    }
    QTreeWidget* view = Form1 ? Form1->ListView2 : nullptr;
    if (!view) return false;
    RemoveValidRow();
    const bool isError = kind == kErreur;
    const QString caption = list == Form1->ListView1
                                ? QString::number(lineNumber)
                                : QString::number(sourceNumber) + QLocale::system().decimalPoint() +
                                      QString::number(lineNumber);
    AddCheckRow(caption, kind, message, isError ? 0 : 1);
    if (isError) ++CheckErrorCount;
    return true;
}

void AddCheckRow(const QString& caption, const QString& kind, const QString& message, int image) {
    QTreeWidget* view = Form1 ? Form1->ListView2 : nullptr;
    if (!view) return;
    static const QStyle::StandardPixmap kImages[] = {QStyle::SP_MessageBoxCritical, QStyle::SP_MessageBoxWarning,
                                                     QStyle::SP_DialogApplyButton};
    auto* item = new QTreeWidgetItem(view, {caption, kind, message});
    item->setIcon(0, view->style()->standardIcon(kImages[image]));
    item->setData(0, Qt::UserRole, image);
}

void RemoveValidRow() {
    QTreeWidget* view = Form1 ? Form1->ListView2 : nullptr;
    if (view && view->topLevelItemCount() > 0 && view->topLevelItem(0)->text(1) == kValide)
        delete view->takeTopLevelItem(0);
}

bool IsReadOnlySysVar(const QString& name) { return Services().IsSysVar(name) && !Services().SysVarWritable(name); }

namespace {
// A command the checker has nothing to say about.
bool noRule(TListView*, const QString&, int, int) { return true; }

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

bool CheckCommand(TListView* list, const QString& keyword, const QString& params, int sourceNumber, int row) {
    const int c = CommandCase(keyword);
    if (c == 0) {
        if (Services().PluginKnown(keyword))
            return CheckPluginCommand(list, keyword, params, row, sourceNumber);
        return !AddCheckError(list, row + 1, kErreur, QStringLiteral("<unknown>"), sourceNumber);
    }
    return kRules[c].check(list, params, row, sourceNumber);
}

}  // namespace Debug
