// Sub-macros: a macro file run by an "Execute" row inside the current run,
// in a hidden command list of its own, nested up to 14 levels.
#include "core/CheckReport.h"
#include "core/Debug.h"
#include "core/Display.h"
#include "core/Inclusions.h"
#include "core/MacroFile.h"
#include "core/RunReport.h"
#include "core/Settings.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/Runner.h"
#include "engine/mdlfnct.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <memory>

namespace {

// Checks every row with the caller's row as the source; a row that fails
// stops the run and shows the check list. An unattended run says why on
// the standard error.
bool checkRows(TRunContext& ctx, const TMacroDocument& list) {
    if (!settings().CheckCommands) return true;  // the checker is switched off
    bool ok = true;
    for (int row = 0; row < list.count(); ++row)
        if (!Debug::CheckCommand(list, list.keyword(row), list.params(row), ctx.State.CurrentOrderIndex + 1, row,
                                 ctx.Checks))
            ok = false;
    if (ok) return true;
    if (Unattended()) ReportUnattended(QStringLiteral("Cette sous-macro comporte des erreurs.") + ctx.Checks.ErrorLines());
    ctx.State.RunEndedInError = true;
    Runner->Stop1Click();
    emit ctx.State.CheckFailed();
    return false;
}

// One running level, from its entry to its clean-up on every way out: its
// list, its inclusions, its report lines, and the caller's settings put back
// when it ends (the file loaded for the sub-macro may have changed them,
// separator included).
class SubMacroLevelScope {
public:
    SubMacroLevelScope(TRunContext& ctx, const QString& path)
        : ctx_(ctx),
          path_(path),
          name_(QFileInfo(path).fileName()),
          ownIni_(path.chopped(4) + QStringLiteral(".ini")),
          callerSettings_(settings()),
          callerList_(ctx.State.SubMacroList),
          callerRow_(ctx.State.SubMacroRow) {
        list_->setObjectName(QStringLiteral("SubMacroList%1").arg(ctx.State.SubMacroLevel + 1));
        ctx.State.SubMacroList = list_.get();
        ++ctx.State.SubMacroLevel;
    }
    ~SubMacroLevelScope() {
        TRunState& state = ctx_.State;
        UnloadInclusions(*list_);
        --state.SubMacroLevel;
        state.SubMacroList = callerList_;
        state.SubMacroRow = callerRow_;
        reportLevel(QStringLiteral("Quitte la sous-macro (%1)[%2/%3].")
                        .arg(name_)
                        .arg(state.SubMacroLevel)
                        .arg(kMaxSubMacroLevel));
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
        ReadMacroRows(path_, *list_, QStringLiteral("Chargement de ") + path_ + QStringLiteral(", veuillez patient SVP."),
                      0);
        LoadInclusions(*list_, QString());
        if (QFileInfo::exists(ownIni_)) {
            LoadSettings(ownIni_);
            ChangeScreenResolution(false);
        }
        if (!checkRows(ctx_, *list_)) return false;
        reportLevel(QStringLiteral("Entre dans une sous-macro (%1)[%2/%3].")
                        .arg(name_)
                        .arg(ctx_.State.SubMacroLevel)
                        .arg(kMaxSubMacroLevel));
        return true;
    }

    // The rows through the dispatcher until the end, a "Quitter" row or the end of the run.
    void run() {
        TMacroDocument* list = list_.get();
        TRunState& state = ctx_.State;
        TActiveOrder activeOrder(list->count(), true);
        QElapsedTimer sincePump;  // rows without any wait still let events in
        sincePump.start();
        for (int row = 0; row < list->count() && state.MacroRunning;) {
            state.SubMacroRow = row;
            Runner->Execute_commande(list, row, activeOrder);
            if (state.SubMacroJump) {
                row = state.SubMacroRow;
                state.SubMacroJump = false;
            }
            if (list->hasRow(row) && list->keyword(row) == QLatin1String("Quitter")) break;
            if (sincePump.elapsed() >= 20) {
                QCoreApplication::processEvents();
                sincePump.restart();
            }
        }
    }

private:
    // A white on black line of the report, after an empty line.
    void reportLevel(const QString& text) { ctx_.Report.AddRichLine(mdlfnct::MakeRtfLine(text).toLatin1()); }

    TRunContext& ctx_;
    QString path_, name_, ownIni_;
    TSettings callerSettings_;
    TMacroDocument* callerList_;
    int callerRow_;
    std::unique_ptr<TMacroDocument> list_ = std::make_unique<TMacroDocument>();
};

}  // namespace

CommandResult RunSubMacro(CommandCall& c, const QString& target) {
    if (c.ctx.State.SubMacroLevel >= kMaxSubMacroLevel)
        return RunError(QStringLiteral("Niveau d'indentation de sous macro trop grand (Max %1).").arg(kMaxSubMacroLevel),
                        1);
    if (!QFileInfo(target).isFile()) return RunError(QStringLiteral("Fichier introuvable (") + target + QStringLiteral(")."));
    SubMacroLevelScope level(c.ctx, target.trimmed());
    if (level.load()) level.run();
    return Done();
}
