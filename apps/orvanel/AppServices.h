#pragma once
// What the program body answers for the editor core: the run goes to the
// engine's runner, system variables to the engine's table, plug-ins and
// hotkeys to the engine, row edits to the command dialogs. Installed at
// start-up; tests derive their own from it.
#include "core/Services.h"
#include "engine/EngineServices.h"

class QWidget;

class AppServices : public CoreServices {
public:
    // A box of an unattended run goes to the standard error and takes its
    // default answer; the run's own boxes are shown as well.
    int AskMessage(const MessageRequest& request) override;
    TRunControl& Run() override;
    bool ExamineHolds(const QString& params) override;
    void ShowRecorder() override;
    bool TestScriptExpression(const TMacroDocument* list, int row) override;
    void BuildSystemVariables() override;
    bool IsSysVar(const QString& name) override;
    bool SysVarWritable(const QString& name) override;
    QString ReadSysVar(const QString& name) override;
    void WriteSysVar(const QString& name, const QString& value) override;
    bool EditRow(const QString& keyword) override;
    void OpenAddDialog(const QString& keyword) override;
    void ClearImageRefs() override;

    void LoadPlugin(const QString& path) override;
    void AddPluginNodes() override;
    void UnloadPlugins() override;
    bool PluginKnown(const QString& keyword) override;
    PluginCheck CheckPluginRow(const QString& keyword, const QString& params) override;
    int PluginIcon(const QString& keyword) override;
    bool EditPluginRow(int row) override;
    void RegisterStartupHotKeys() override;
    // A hotkey a program not ours holds is said once, and marked in the
    // options dialog.
    void AddGlobalHotKey(const QString& shortcut) override;
    void RemoveGlobalHotKey(const QString& shortcut) override;

    void LoadLanguageFile(const QString& name) override;
    void ImportOtherLangText(const QString& fileName, TListView* list) override;
    int SendMail(const QStringList& lines) override;
};

// The options dialog marks the pause and stop shortcuts another program held
// when they were last added (done to the dialog once made).
void ShowTakenHotKeys(QWidget& window);

// What the program body answers for the engine: the main window and the
// window list of the dialogs.
class AppEngineServices : public EngineServices {
public:
    QString MacroPath() override;
    bool EditorShown() override;
    quint64 MainWindow() override;
    void OpenMacro(const QString& path) override;
    void SaveMacro() override;
    void RestoreMainWindow(int windowState) override;
    bool TriggerTool(int n) override;
    void ShowObjectChoice(const QVector<quint64>& windows) override;
    bool ObjectChoiceDone() override;
    quint64 ChosenObject() override;
    void CloseObjectChoice() override;
};
