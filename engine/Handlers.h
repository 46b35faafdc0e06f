#pragma once
// The run-time handlers of the commands. TForm1::Execute_commande calls
// CommandHandlers[case] for each row it runs (case 0: a plug-in keyword,
// 1..32: CommandNames). Each topic fills its handlers in its own file.
#include "engine/RunState.h"

#include <QString>
#include <QVariant>
#include <array>

class TListView;

// One dispatched row. A handler that places `index` itself sets `moved`;
// otherwise the dispatcher goes on with the next row.
struct CommandCall {
    TListView* list;
    int& index;
    TActiveOrder& activeOrder;
    QString keyword;
    QString params;  // as stored: handlers resolve variable references themselves
    bool moved = false;
};
using CommandHandler = void (*)(CommandCall&);

// By case number. Tests may swap an entry and put it back.
extern std::array<CommandHandler, 33> CommandHandlers;

// After a condition row (Examine, Boolean ScriptEval): true runs the next
// row and skips the one after once, together with the rows of the conditions
// chained there (rows with chainKeyword); false runs the row after next.
void BranchOnCondition(CommandCall& call, bool condition, const QString& chainKeyword);

// Thrown by TForm1::RaiseExecError after a retry has run the failed row
// again, so that the failed handler does not carry on; the dispatcher that
// called that handler catches it.
struct CommandRetried {};
// True while a handler called by the dispatcher is running.
bool InsideCommandHandler();

// ---- Handlers of the flow commands (engine/Flow.cpp) ----
// The last "Label" row whose parameter string is the first field of name; 0 when none.
int FindLabelRow(TListView* list, const QString& name);
int ExecProcedure(TListView* list, int row, const QString& params, TActiveOrder& activeOrder);
bool ExecExamine(const QString& params);
// True when the user cancelled the question ("Annuler"): the list being run ends.
bool ExecQuestion(const QString& params);
void ExecCalcul(const QString& params);
void ExecCalculEvolue(const QString& params);

// ---- Handlers of later topics (engine/PendingHandlers.cpp until they land) ----
void ExecMoveMouse(const QString& params);
void ExecClick(const QString& params);
void ExecType(const QString& params);
void ExecMousePath(const QString& params);
void ExecTypeSpecial(const QString& params);
void ExecFindGraphic(const QString& params);  // TForm31::FnctFindGraphic
void ExecRead(const QString& params);
void ExecWrite(const QString& params);
void ExecFields(const QString& params);
void ExecFonction(const QString& params);
void ExecExecute(const QString& params);
void ExecuteObjectCommand(TListView* list, int row);
void ExecManipulation(const QString& params);
void ExecFileTool(const QString& params);
void ExecScreenTool(const QString& params);
void ExecDisplayTool(const QString& params);
void ExecPowerTool(const QString& params);
void ExecFolderTool(const QString& params);
// TForm25::MSScriptEval: the value of a "ScriptEval" row's expression (invalid when none).
QVariant MSScriptEval(const QString& params);
// A keyword that is not a built-in command: the loaded plug-in that knows
// it runs it; unknown keywords are passed over silently.
void RunPluginCommand(const QString& keyword, const QString& params);

// ---- What a run needs of other topics (engine/PendingHandlers.cpp until they land) ----
void CloseRunFiles();            // closes the text files "Lire"/"Ecrire" left open, empties their lists
void LoadExecutionContextForRun();
void ReleaseImageSearchCache();
void StopPluginCommands();
