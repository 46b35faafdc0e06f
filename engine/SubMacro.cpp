// Sub-macros: a macro file run by an "Execute" row inside the current run,
// in a hidden command list of its own, nested up to 14 levels.
#include "core/Debug.h"
#include "core/Display.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "engine/Handlers.h"
#include "core/Rtf.h"
#include "engine/Runner.h"
#include "engine/mdlfnct.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>
#include <memory>

namespace {

// The hidden lists of the running levels, the innermost last.
QVector<TListView*> levels;

// A white on black line of the report, after an empty line.
void reportLevel(const QString& text) {
    if (!Form1->CheckBox3->isChecked() && !settings().Report) return;
    QTextCursor cursor(Form1->RichEdit1->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock();
    rtf::insert(cursor, mdlfnct::MakeRtfLine(text).toLatin1());
}

// Checks every row with the caller's row as the source; a row that fails
// stops the run and shows the check list. An unattended run says why on
// the standard error.
bool checkRows(TListView* list) {
    if (!settings().CheckCommands) return true;  // the checker is switched off
    bool ok = true;
    for (int row = 0; row < list->count(); ++row)
        if (!Debug::CheckCommand(list, list->keyword(row), list->params(row), CurrentOrderIndex + 1, row)) ok = false;
    if (ok) return true;
    if (Unattended()) {
        QString errors;
        for (int i = 0; i < Form1->ListView2->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = Form1->ListView2->topLevelItem(i);
            if (item->text(1) == Debug::kErreur)
                errors += QStringLiteral("\n  ligne %1 : %2").arg(item->text(0), item->text(2));
        }
        ReportUnattended(QStringLiteral("Cette sous-macro comporte des erreurs.") + errors);
    }
    RunEndedInError = true;
    Form1->Stop1Click();
    Form1->PageControl1->setCurrentWidget(Form1->TabSheet1);
    return false;
}

// One running level, from its entry to its clean-up on every way out: its
// list, its inclusions, its report lines, and the caller's settings put back
// when it ends (the file loaded for the sub-macro may have changed them,
// separator included).
class SubMacroLevelScope {
public:
    explicit SubMacroLevelScope(const QString& path)
        : path_(path),
          name_(QFileInfo(path).fileName()),
          ownIni_(path.chopped(4) + QStringLiteral(".ini")),
          callerSettings_(settings()) {
        list_->setObjectName(QStringLiteral("SubMacroList%1").arg(SubMacroLevel + 1));
        list_->hide();
        levels.append(list_.get());
        SubMacroList = list_.get();
        ++SubMacroLevel;
    }
    ~SubMacroLevelScope() {
        Form1->UnloadInclusions(inclusions_, list_.get());
        --SubMacroLevel;
        levels.removeLast();
        SubMacroList = levels.isEmpty() ? nullptr : levels.last();
        reportLevel(
            QStringLiteral("Quitte la sous-macro (%1)[%2/%3].").arg(name_).arg(SubMacroLevel).arg(kMaxSubMacroLevel));
        const bool ownMode = QFileInfo::exists(ownIni_) && settings().ResolutionFormat != kNoResolutionChange &&
                             settings().RestoreResolution;
        if (ownMode) ChangeScreenResolution(true);
        RestoreSettings(callerSettings_);
        if (ownMode) ChangeScreenResolution(false);  // the caller's own mode, if it has one
    }
    SubMacroLevelScope(const SubMacroLevelScope&) = delete;
    SubMacroLevelScope& operator=(const SubMacroLevelScope&) = delete;

    // Rows, inclusions and settings; false when the rows fail the check.
    bool load() {
        Form1->OpenFileMacro(path_, list_.get(),
                             QStringLiteral("Chargement de ") + path_ + QStringLiteral(", veuillez patient SVP."), 0);
        Form1->LoadInclusions(inclusions_, list_.get());
        // Loading the rows read the main macro's settings file.
        if (QFileInfo::exists(ownIni_)) {
            LoadSettings(ownIni_);
            ChangeScreenResolution(false);
        } else {
            RestoreSettings(callerSettings_);
        }
        if (!checkRows(list_.get())) return false;
        reportLevel(QStringLiteral("Entre dans une sous-macro (%1)[%2/%3].")
                        .arg(name_)
                        .arg(SubMacroLevel)
                        .arg(kMaxSubMacroLevel));
        return true;
    }

    // The rows through the dispatcher until the end, a "Quitter" row or the end of the run.
    void run() {
        TListView* list = list_.get();
        TActiveOrder activeOrder(list->count(), true);
        QElapsedTimer sincePump;  // rows without any wait still let events in
        sincePump.start();
        for (int row = 0; row < list->count() && MacroRunning;) {
            SubMacroRow = row;
            Runner->Execute_commande(list, row, activeOrder);
            if (SubMacroJump) {
                row = SubMacroRow;
                SubMacroJump = false;
            }
            if (list->hasRow(row) && list->keyword(row) == QLatin1String("Quitter")) break;
            if (sincePump.elapsed() >= 20) {
                QCoreApplication::processEvents();
                sincePump.restart();
            }
        }
    }

private:
    QString path_, name_, ownIni_;
    TSettings callerSettings_;
    std::unique_ptr<TListView> list_ = std::make_unique<TListView>();
    TForm1::TTabOfInclude inclusions_;
};

}  // namespace

void RunSubMacro(const QString& target) {
    if (SubMacroLevel >= kMaxSubMacroLevel) {
        Runner->RaiseExecError(
            QStringLiteral("Niveau d'indentation de sous macro trop grand (Max %1).").arg(kMaxSubMacroLevel), 1);
        return;
    }
    if (!QFileInfo(target).isFile()) {
        Runner->RaiseExecError(QStringLiteral("Fichier introuvable (") + target + QStringLiteral(")."), 0);
        return;
    }
    SubMacroLevelScope level(target.trimmed());
    if (level.load()) level.run();
}
