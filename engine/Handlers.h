#pragma once
// The run-time handlers of the commands. The dispatcher calls the handler of
// each row's case (0: a plug-in keyword, 1..32: the command table).
#include "core/CommandNames.h"
#include "core/RunState.h"

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

struct HandlerEntry {
    Command command;
    CommandHandler run;
};
// One entry per case, in the order of the command table (checked where it is defined).
using CommandTable = std::array<CommandHandler, kCommandSlots>;
extern const CommandTable kCommandHandlers;

// After a condition row (Examine, Boolean ScriptEval): true runs the next
// row and skips the one after once, together with the rows of the conditions
// chained there (rows with chainKeyword); false runs the row after next.
void BranchOnCondition(CommandCall& call, bool condition, const QString& chainKeyword);

// True while a handler called by the dispatcher is running.
bool InsideCommandHandler();

// ---- Flow commands (engine/Flow.cpp, engine/CmdFlow.cpp) ----
// The last "Label" row whose parameter string is the first field of name; -1 when none.
int FindLabelRow(TListView* list, const QString& name);
int ExecProcedure(TListView* list, int row, const QString& params, TActiveOrder& activeOrder);
bool ExecExamine(const QString& params);
// True when the user cancelled the question ("Annuler"): the list being run ends.
bool ExecQuestion(const QString& params);
void ExecCalcul(const QString& params);
void ExecCalculEvolue(const QString& params);

// ---- Mouse and keyboard (engine/CmdMouse.cpp, engine/CmdKeyboard.cpp) ----
void ExecMoveMouse(const QString& params);
void ExecClick(const QString& params);
void ExecType(const QString& params);
void ExecMousePath(const QString& params);
void ExecTypeSpecial(const QString& params);

// ---- Files, clipboard files and fields (engine/CmdFiles.cpp, engine/CmdFields.cpp) ----
void ExecRead(const QString& params);
void ExecWrite(const QString& params);
void ExecFields(const QString& params);
void CloseRunFiles();  // closes the text files "Lire" left open and empties their table (engine/ListFile.cpp)

// ---- Window manipulation and tools (engine/CmdManipulation.cpp, engine/CmdFileTools.cpp, engine/CmdSystemTools.cpp) ----
void ExecManipulation(const QString& params);
void ExecFileTool(const QString& params);
void ExecFolderTool(const QString& params);
void ExecScreenTool(const QString& params);
void ExecDisplayTool(const QString& params);
void ExecPowerTool(const QString& params);

// ---- "Execute" and sub-macros (engine/CmdExecute.cpp, engine/SubMacro.cpp) ----
void ExecExecute(const QString& params);
constexpr int kMaxSubMacroLevel = 14;
// Runs a ".mcr" file inside the current run, checked, in a hidden list of its own.
void RunSubMacro(const QString& fileName);

// ---- "Fonction" (engine/CmdFonction*.cpp) ----
void ExecFonction(const QString& params);

// ---- Windows (engine/CmdObject.cpp) ----
// "Objet": finds the window that row of list describes and writes its handle into the rows.
void ExecuteObjectCommand(TListView* list, int row);

// ---- Image search (engine/Unit31.cpp) ----
// The end of a run forgets the reference pictures it read.
void ReleaseImageSearchCache();

// ---- Execution contexts (engine/ContextOfExecute.cpp) ----
// Takes up ContextToResume in the run that is starting; a context that cannot
// be taken up ends the run before its first row.
void LoadExecutionContextForRun();
