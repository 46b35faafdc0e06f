// The check-list writer and the per-keyword dispatcher of the checker.
#include "core/CheckRules.h"
#include "core/CommandNames.h"
#include "core/Form.h"
#include "core/IgnoreMsg.h"
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

Services& services() {
    static Services s;
    return s;
}

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

bool IsReadOnlySysVar(const QString& name) {
    const auto& lookup = services().sysVarWritable;
    if (!lookup) return false;
    const std::optional<bool> writable = lookup(name);
    return writable && !*writable;
}

QStringList KeyNames() {
    QStringList names;
    QWidget* dialog = FindForm(4);
    for (int n = 1; n <= 110; ++n) {
        auto* button = dialog ? dialog->findChild<QAbstractButton*>(QStringLiteral("SpeedButton%1").arg(n)) : nullptr;
        names << (button ? button->text().left(64) : QString());
    }
    return names;
}

bool CheckCommand(TListView* list, const QString& keyword, const QString& params, int sourceNumber, int row) {
    // By case number - 1; none: the command always passes.
    static const CheckRoutine kRoutines[kCommandCount] = {
        CheckGoto,        CheckProcedure,    CheckLabel,      CheckExamine,       CheckVariable,
        CheckScriptEval,  CheckMoveMouse,    CheckClick,      nullptr,            CheckLire,
        CheckEcrire,      CheckCalcul,       CheckCalculEvolue, CheckFonction,    nullptr,
        CheckChamps,      CheckType,         CheckExecute,    nullptr,            CheckTypeSpecial,
        CheckObjet,       CheckQuestion,     nullptr,         CheckPause,         CheckOutilFichier,
        CheckOutilEcran,  CheckOutilAffichage, CheckOutilAlimentation, CheckOutilRepertoire, nullptr,
        CheckInclusion,   nullptr,
    };
    const int c = CommandCase(keyword);
    if (c == 0) {
        const auto& known = services().pluginKnown;
        if (known && known(keyword))
            return CheckPluginCommand(list, keyword, params, row, sourceNumber);
        return !AddCheckError(list, row + 1, kErreur, QStringLiteral("<unknown>"), sourceNumber);
    }
    const CheckRoutine routine = kRoutines[c - 1];
    return routine ? routine(list, params, row, sourceNumber) : true;
}

}  // namespace Debug
