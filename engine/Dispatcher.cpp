// The command dispatcher: runs one row of a command list through the handler
// of its command.
#include "core/CommandNames.h"
#include "core/Unit1.h"
#include "engine/GestionCommande.h"
#include "engine/Handlers.h"
#include "engine/Runner.h"
#include "engine/ScriptControl.h"
#include "engine/Unit31.h"
#include "engine/mdlfnct.h"

#include <QCheckBox>

namespace {

int handlerDepth = 0;

template <void (*F)(const QString&)>
void withParams(CommandCall& c) {
    F(c.params);
}

void nothing(CommandCall&) {}

// A jump drops every pending skip-once mark.
void jumpTo(CommandCall& c, int row) {
    c.index = row;
    c.moved = true;
    c.activeOrder.fill(true);
}

// A keyword that is not a built-in command: the plug-in that has it runs the
// row, and may place the run elsewhere meanwhile; a keyword no plug-in has is
// passed over.
void runPlugin(CommandCall& c) {
    if (RunPluginCommand(c.keyword, c.params)) jumpTo(c, c.index);
}

void runGoto(CommandCall& c) {
    if (!mdlfnct::IsInteger(c.params)) {
        const int label = FindLabelRow(c.list, c.params);
        // Without its label the row would jump to the top and could loop for ever.
        if (label < 0)
            Runner->RaiseExecError(QStringLiteral("Goto : le label « %1 » n'existe pas.").arg(c.params), 1);
        else
            jumpTo(c, label + 1);
        return;
    }
    const int n = mdlfnct::StrToIntOrZero(c.params);
    const int rows = c.list->count();
    if (n - 1 == c.index) {
        Form1->ShowInternalError(QStringLiteral("Arrêt de l'application - Vous avez généré une boucle illimité."));
    } else if (n < 1 || n > rows + 1) {
        // Left alone, the row would jump onto itself for ever.
        Runner->RaiseExecError(QStringLiteral("Goto : la ligne %1 n'existe pas (1 à %2).").arg(n).arg(rows), 1);
        return;
    }
    jumpTo(c, n - 1);
}

void runProcedure(CommandCall& c) {
    c.index = ExecProcedure(c.list, c.index, c.params, c.activeOrder);
    c.moved = true;
}

void runExamine(CommandCall& c) { BranchOnCondition(c, ExecExamine(c.params), QStringLiteral("Examine")); }

// A declaration met at run time: everything between the name and the kind is
// the value, separators included.
void runVariable(CommandCall& c) {
    const mdlfnct::VariableDeclaration d = mdlfnct::DeclarationOf(c.params);
    Form1->WriteVariable(QStringLiteral("INITVAR"), d.name, d.value);
}

// A Boolean makes the row a condition, decided by the value already in hand
// (evaluating again would repeat what the expression does); any other value
// goes into the result variable. A failed evaluation has reported its error.
void runScriptEval(CommandCall& c) {
    const QVariant value = MSScriptEval(c.params);
    if (!value.isValid()) return;
    if (value.typeId() == QMetaType::Bool)
        BranchOnCondition(c, value.toBool(), QStringLiteral("ScriptEval"));
    else
        Form1->WriteVariable(QStringLiteral("VAR"), TForm1::GetParam(c.params)[2], value.toString());
}

void runFindGraphic(CommandCall& c) { Form31->FnctFindGraphic(c.params); }

// "Annuler" in a question ends the list being run (a sub-macro's own list
// when one runs), and the state goes back to idle.
void runQuestion(CommandCall& c) {
    if (!ExecQuestion(c.params)) return;
    c.index = c.list->count();
    c.moved = true;
    ExecState = 0;
    Form1->setWindowTitle(Form1->GetStateCaption());
}

// Ends the run of the main list. Unsaved edits stay unsaved: closing the
// editor afterwards still offers to save them.
void runQuitter(CommandCall& c) {
    if (c.list != Form1->ListView1) return;
    ExecState = 0;
    Form1->setWindowTitle(Form1->GetStateCaption());
    MacroRunning = false;
    if (!AutoRun) Form1->setWindowState(Qt::WindowStates(SavedWindowState));
}

void runPause(CommandCall& c) { Runner->FnctPause(c.params); }

void runObjet(CommandCall& c) { ExecuteObjectCommand(c.list, c.index); }

constexpr HandlerEntry kHandlers[] = {
    {Command::Plugin, runPlugin},
    {Command::Goto, runGoto},
    {Command::Procedure, runProcedure},
    {Command::Label, nothing},
    {Command::Examine, runExamine},
    {Command::Variable, runVariable},
    {Command::ScriptEval, runScriptEval},
    {Command::MoveMouse, withParams<ExecMoveMouse>},
    {Command::Click, withParams<ExecClick>},
    {Command::TrouveImage, runFindGraphic},
    {Command::Lire, withParams<ExecRead>},
    {Command::Ecrire, withParams<ExecWrite>},
    {Command::Calcul, withParams<ExecCalcul>},
    {Command::CalculEvolue, withParams<ExecCalculEvolue>},
    {Command::Fonction, withParams<ExecFonction>},
    {Command::Commentaire, nothing},
    {Command::Champs, withParams<ExecFields>},
    {Command::Type, withParams<ExecType>},
    {Command::Execute, withParams<ExecExecute>},
    {Command::ParcoursSouris, withParams<ExecMousePath>},
    {Command::TypeSpecial, withParams<ExecTypeSpecial>},
    {Command::Objet, runObjet},
    {Command::Question, runQuestion},
    {Command::Manipulation, withParams<ExecManipulation>},
    {Command::Pause, runPause},
    {Command::OutilFichier, withParams<ExecFileTool>},
    {Command::OutilEcran, withParams<ExecScreenTool>},
    {Command::OutilAffichage, withParams<ExecDisplayTool>},
    {Command::OutilAlimentation, withParams<ExecPowerTool>},
    {Command::OutilRepertoire, withParams<ExecFolderTool>},
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

bool InsideCommandHandler() { return handlerDepth > 0; }

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

void TRunner::Execute_commande(TListView* list, int& index, TActiveOrder& activeOrder) {
    if (index < 0 || index >= activeOrder.size()) {
        form_.ShowInternalError(
            QStringLiteral("Indice ActiveOrder hors limite, veuillez contacter l'auteur de l'application."));
        return;
    }
    if (!activeOrder[index]) {
        activeOrder[index] = true;
        ++index;
        return;
    }
    if (index >= list->count()) return;
    const MacroCommand& row = list->item(index);
    CommandCall call{list, index, activeOrder, row.keyword, row.params};
    if (form_.CheckBox3->isChecked()) AddToRapport(call.keyword, call.params);
    ++ExecutedCount;
    ++handlerDepth;
    try {
        handlers[CommandCase(call.keyword)](call);
    } catch (const CommandRetried&) {
        call.moved = false;  // the retry ran the row; go on after it
    }
    --handlerDepth;
    if (!call.moved) ++index;
}
