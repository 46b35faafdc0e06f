// The command dispatcher: runs one row of a command list through the handler
// of its command, and answers the error it returns.
#include "core/CrashReport.h"
#include "core/Variables.h"
#include "engine/EngineServices.h"
#include "engine/GestionCommande.h"
#include "engine/Handlers.h"
#include "engine/Runner.h"
#include "engine/mdlfnct.h"

namespace {

CommandResult nothing(CommandCall&) { return Done(); }

// A jump drops every pending skip-once mark.
void jumpTo(CommandCall& c, int row) {
    c.index = row;
    c.moved = true;
    c.activeOrder.fill(true);
}

// A keyword that is not a built-in command: the plug-in that has it runs the
// row, and may place the run elsewhere meanwhile; a keyword no plug-in has is
// passed over.
CommandResult runPlugin(CommandCall& c) {
    if (RunPluginCommand(c.keyword, c.params)) jumpTo(c, c.index);
    return Done();  // what the plug-in reported meanwhile is the row's error
}

CommandResult runGoto(CommandCall& c) {
    if (!mdlfnct::IsInteger(c.params)) {
        // The declaration holds the whole text; the label is its first field.
        const int label = FindLabelRow(*c.list, c.param.textAt(1));
        // Without its label the row would jump to the top and could loop for ever.
        if (label < 0) return RunError(QStringLiteral("Goto : le label « %1 » n'existe pas.").arg(c.params), 1);
        jumpTo(c, label + 1);
        return Done();
    }
    const int n = mdlfnct::StrToIntOrZero(c.params);
    const int rows = c.list->count();
    if (n - 1 == c.index) {
        ShowInternalError(QStringLiteral("Arrêt de l'application - Vous avez généré une boucle illimité."));
    } else if (n < 1 || n > rows + 1) {
        // Left alone, the row would jump onto itself for ever.
        return RunError(QStringLiteral("Goto : la ligne %1 n'existe pas (1 à %2).").arg(n).arg(rows), 1);
    }
    jumpTo(c, n - 1);
    return Done();
}

CommandResult runExamine(CommandCall& c) {
    bool holds = false;
    const CommandResult r = ExecExamine(c, holds);  // an operand that is no number reads as 0
    BranchOnCondition(c, holds, QStringLiteral("Examine"));
    return r;
}

// A declaration met at run time: everything between the name and the kind is
// the value, separators included.
CommandResult runVariable(CommandCall& c) {
    const mdlfnct::VariableDeclaration d = mdlfnct::DeclarationOf(c.params, c.ctx.Separator());
    c.ctx.Vars.Write(d.name, d.value, true);
    return Done();
}

// "Annuler" in a question ends the list being run (a sub-macro's own list
// when one runs), and the state goes back to idle.
CommandResult runQuestion(CommandCall& c) {
    bool cancelled = false;
    if (const CommandResult r = ExecQuestion(c, cancelled); r.failed() || !cancelled) return r;
    c.index = c.list->count();
    c.moved = true;
    c.ctx.State.SetExecState(0);
    return Done();
}

// Ends the run of the main list. Unsaved edits stay unsaved: closing the
// editor afterwards still offers to save them.
CommandResult runQuitter(CommandCall& c) {
    if (c.list != &c.ctx.Main) return Done();
    TRunState& state = c.ctx.State;
    state.MacroRunning = false;
    state.SetExecState(0);
    if (!state.AutoRun) engineServices().RestoreMainWindow(state.SavedWindowState);
    return Done();
}

constexpr HandlerEntry kHandlers[] = {
    {Command::Plugin, runPlugin},
    {Command::Goto, runGoto},
    {Command::Procedure, ExecProcedure},
    {Command::Label, nothing},
    {Command::Examine, runExamine},
    {Command::Variable, runVariable},
    {Command::ScriptEval, ExecScriptEval},
    {Command::MoveMouse, ExecMoveMouse},
    {Command::Click, ExecClick},
    {Command::TrouveImage, ExecFindGraphic},
    {Command::Lire, ExecRead},
    {Command::Ecrire, ExecWrite},
    {Command::Calcul, ExecCalcul},
    {Command::CalculEvolue, ExecCalculEvolue},
    {Command::Fonction, ExecFonction},
    {Command::Commentaire, nothing},
    {Command::Champs, ExecFields},
    {Command::Type, ExecType},
    {Command::Execute, ExecExecute},
    {Command::ParcoursSouris, ExecMousePath},
    {Command::TypeSpecial, ExecTypeSpecial},
    {Command::Objet, ExecObject},
    {Command::Question, runQuestion},
    {Command::Manipulation, ExecManipulation},
    {Command::Pause, ExecPause},
    {Command::OutilFichier, ExecFileTool},
    {Command::OutilEcran, ExecScreenTool},
    {Command::OutilAffichage, ExecDisplayTool},
    {Command::OutilAlimentation, ExecPowerTool},
    {Command::OutilRepertoire, ExecFolderTool},
    {Command::Quitter, runQuitter},
    {Command::Inclusion, nothing},  // expanded before the run
    {Command::Message, runQuestion},
};
static_assert(CoversEveryCommand(kHandlers), "kHandlers: one handler per command, in the order of the command table");

}  // namespace

const CommandTable kCommandHandlers = [] {
    CommandTable table{};
    for (const HandlerEntry& e : kHandlers) table[int(e.command)] = e.run;
    return table;
}();

CommandResult RunCommand(TRunContext& ctx, const QString& keyword, const QString& params) {
    TMacroDocument alone;
    alone.add({keyword, params});
    int index = 0;
    TActiveOrder active(1, true);
    CommandCall call{ctx, &alone, index, active, keyword, params};
    return kCommandHandlers[int(call.command)](call);
}

CommandCall::CommandCall(TRunContext& context, TMacroDocument* rows, int& row, TActiveOrder& active, const QString& word,
                         const QString& parameters)
    : ctx(context),
      list(rows),
      index(row),
      activeOrder(active),
      keyword(word),
      command(Command(CommandCase(word))),
      params(parameters),
      param(command, parameters, context.Separator(),
            [&vars = context.Vars](const QString& name) { return vars.ValueOf(name); }) {}

QString CommandCall::Value(const QString& field) const { return ctx.Vars.ValueOf(field); }

QString CommandCall::Kind(const QString& name) const { return ctx.Vars.KindOf(name); }

void CommandCall::Write(const QString& name, const QString& value) const { ctx.Vars.Write(name, value); }

void BranchOnCondition(CommandCall& c, bool condition, const QString& chainKeyword) {
    c.moved = true;
    if (!condition) {
        c.index += 2;
        return;
    }
    const int end = int(qMin<qsizetype>(c.list->count(), c.activeOrder.size()));
    auto skipOnce = [&](int row) {
        if (row < end) c.activeOrder[row] = false;
    };
    for (int r = c.index + 2; r < end; r += 2) {
        skipOnce(r);
        if (c.list->keyword(r) != chainKeyword) break;
        skipOnce(r + 1);
        skipOnce(r + 2);
    }
    c.index += 1;
}

// A failed row that the user asks to try again runs again at once; whatever
// it then does (a jump included) counts.
void TRunner::Execute_commande(TMacroDocument* list, int& index, TActiveOrder& activeOrder) {
    if (index < 0 || index >= activeOrder.size()) {
        ShowInternalError(QStringLiteral("Indice ActiveOrder hors limite, veuillez contacter l'auteur de l'application."));
        return;
    }
    if (!activeOrder[index]) {
        activeOrder[index] = true;
        ++index;
        return;
    }
    if (index >= list->count()) return;
    const MacroCommand row = list->item(index);
    if (report_.Active) AddToRapport(row.keyword, row.params);
    ++state_.ExecutedCount;
    for (;;) {
        CommandCall call{ctx_, list, index, activeOrder, row.keyword, row.params};
        // A row run while another row's handler runs (an event procedure, a
        // sub-macro) keeps that row's pending error for it.
        CommandResult outer = std::exchange(ctx_.PendingError, {});
        ++handlerDepth_;
        CommandResult result = handlers[int(call.command)](call);
        --handlerDepth_;
        if (!result.failed()) result = std::exchange(ctx_.PendingError, {});
        ctx_.PendingError = std::move(outer);
        if (result.failed() && answerError(result)) continue;
        if (!call.moved) ++index;
        return;
    }
}
