#pragma once
// The run-time handlers of the commands. The dispatcher calls the handler of
// each row's case (0: a plug-in keyword, 1..32: the command table) with the
// row and the run context, and the handler says how the row went.
#include "core/CommandNames.h"
#include "core/CommandParams.h"
#include "core/Params.h"
#include "engine/RunContext.h"

#include <QString>
#include <QVariant>
#include <array>

// One dispatched row. A handler that places `index` itself sets `moved`;
// otherwise the dispatcher goes on with the next row.
struct CommandCall {
    CommandCall(TRunContext& ctx, TMacroDocument* list, int& index, TActiveOrder& activeOrder, const QString& keyword,
                const QString& params);

    TRunContext& ctx;
    TMacroDocument* list;  // the list the row belongs to
    int& index;
    TActiveOrder& activeOrder;
    QString keyword;
    Command command;  // the keyword's case
    QString params;   // as stored
    // The row's fields read through its command's declaration: value(n)
    // resolves a variable where one may stand. Where a handler reads more
    // leniently than the declaration, it says so and resolves itself (Value).
    ParamView param;
    bool moved = false;

    // The value a field stands for: a declared variable's value, else the field itself.
    QString Value(const QString& field) const;
    // "Numerique", "Alpha", "Objet" or "No_Type".
    QString Kind(const QString& name) const;
    void Write(const QString& name, const QString& value) const;
};
using CommandHandler = CommandResult (*)(CommandCall&);

struct HandlerEntry {
    Command command;
    CommandHandler run;
};
// One entry per case, in the order of the command table (checked where it is defined).
using CommandTable = std::array<CommandHandler, kCommandSlots>;
extern const CommandTable kCommandHandlers;

// Runs one command's handler on its own, outside the run loop (the options'
// speed tests): its row alone in a document of its own.
CommandResult RunCommand(TRunContext& ctx, const QString& keyword, const QString& params);

// After a condition row (Examine, Boolean ScriptEval): true runs the next
// row and skips the one after once, together with the rows of the conditions
// chained there (rows with chainKeyword); false runs the row after next.
void BranchOnCondition(CommandCall& call, bool condition, const QString& chainKeyword);

// ---- Flow commands (engine/Flow.cpp, engine/CmdFlow.cpp) ----
// The last "Label" row whose parameter string is label; -1 when none.
int FindLabelRow(const TMacroDocument& list, const QString& label);
CommandResult ExecProcedure(CommandCall& c);
// The condition of an "Examine" row; an operand that is no number fails.
CommandResult ExecExamine(CommandCall& c, bool& holds);
// The condition alone, for the checker's services: false when it cannot be told.
bool ExamineHolds(TRunContext& ctx, const QString& params);
// *cancelled is true when the user cancelled the question ("Annuler").
CommandResult ExecQuestion(CommandCall& c, bool& cancelled);
CommandResult ExecCalcul(CommandCall& c);
CommandResult ExecCalculEvolue(CommandCall& c);
CommandResult ExecPause(CommandCall& c);

// ---- Mouse and keyboard (engine/CmdMouse.cpp, engine/CmdKeyboard.cpp) ----
CommandResult ExecMoveMouse(CommandCall& c);
CommandResult ExecClick(CommandCall& c);
CommandResult ExecType(CommandCall& c);
CommandResult ExecMousePath(CommandCall& c);
CommandResult ExecTypeSpecial(CommandCall& c);

// ---- Files, clipboard files and fields (engine/CmdFiles.cpp, engine/CmdFields.cpp) ----
CommandResult ExecRead(CommandCall& c);
CommandResult ExecWrite(CommandCall& c);
CommandResult ExecFields(CommandCall& c);
void CloseRunFiles();  // closes the text files "Lire" left open and empties their table (engine/ListFile.cpp)

// ---- Window manipulation and tools (engine/CmdManipulation.cpp, engine/CmdFileTools.cpp, engine/CmdSystemTools.cpp) ----
CommandResult ExecManipulation(CommandCall& c);
CommandResult ExecFileTool(CommandCall& c);
CommandResult ExecFolderTool(CommandCall& c);
CommandResult ExecScreenTool(CommandCall& c);
CommandResult ExecDisplayTool(CommandCall& c);
CommandResult ExecPowerTool(CommandCall& c);

// ---- "Execute" and sub-macros (engine/CmdExecute.cpp, engine/SubMacro.cpp) ----
CommandResult ExecExecute(CommandCall& c);
constexpr int kMaxSubMacroLevel = 14;
// Runs a ".mcr" file inside the current run, checked, in a document of its own.
CommandResult RunSubMacro(CommandCall& c, const QString& fileName);

// ---- "Fonction" (engine/CmdFonction*.cpp) ----
CommandResult ExecFonction(CommandCall& c);

// ---- Windows (engine/CmdObject.cpp) ----
// "Objet": finds the window the row describes and writes its handle into the rows.
CommandResult ExecObject(CommandCall& c);

// ---- Image search (engine/ImageFind.cpp) ----
CommandResult ExecFindGraphic(CommandCall& c);

// ---- Scripts (engine/ScriptControl.cpp) ----
// A Boolean makes the row a condition; any other value goes into the result variable.
CommandResult ExecScriptEval(CommandCall& c);

