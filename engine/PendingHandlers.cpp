// Handlers and services that later topics write. Each does nothing yet (or
// the least that keeps a run going); a topic that writes one deletes it here.
#include "engine/Handlers.h"

// Image search, file commands, "Fonction", "Execute", window search, tools.
void ExecFindGraphic(const QString&) {}
void ExecRead(const QString&) {}
void ExecWrite(const QString&) {}
void ExecFields(const QString&) {}
void ExecFonction(const QString&) {}
void ExecExecute(const QString&) {}
void ExecuteObjectCommand(TListView*, int) {}
void ExecManipulation(const QString&) {}
void ExecFileTool(const QString&) {}
void ExecScreenTool(const QString&) {}
void ExecDisplayTool(const QString&) {}
void ExecPowerTool(const QString&) {}
void ExecFolderTool(const QString&) {}

// Script evaluation and plug-ins.
QVariant MSScriptEval(const QString&) { return {}; }
void RunPluginCommand(const QString&, const QString&) {}

// Services of other topics that the run loop and Stop call.
void CloseRunFiles() {}
void LoadExecutionContextForRun() {}
void ReleaseImageSearchCache() {}
void StopPluginCommands() {}
