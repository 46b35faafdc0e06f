#include "apps/orvanel/AppServices.h"

#include "core/RunState.h"
#include "core/Settings.h"
#include "core/FileDialog.h"
#include "core/Unit1.h"
#include "editors/Palette.h"
#include "editors/Unit17.h"
#include "editors/Unit5.h"
#include "editors/PluginPalette.h"
#include "editors/Unit28.h"
#include "engine/GestionCommande.h"
#include "engine/Handlers.h"
#include "engine/HotKeyManager.h"
#include "engine/Runner.h"
#include "engine/ScriptControl.h"
#include "engine/SysVars.h"
#include "tools/ModuleSup.h"
#include "tools/OtherLang.h"
#include "tools/Unit19.h"

#include <QAction>
#include <QMenu>
#include <QSet>
#include <QTreeWidget>

int AppServices::AskMessage(const MessageRequest& request) {
    if (!Unattended()) return CoreServices::AskMessage(request);
    if (request.runWait) {  // the macro's own box, or the pause key's: someone is there
        ReportUnattended(request.text);
        return CoreServices::AskMessage(request);
    }
    const int answer = DefaultAnswer(request);
    const bool question = request.buttons & ~mbOK;
    ReportUnattended(question ? request.text + QStringLiteral(" [réponse : %1]").arg(AnswerName(answer)) : request.text);
    return answer;
}

TRunControl& AppServices::Run() { return Runner ? static_cast<TRunControl&>(*Runner) : CoreServices::Run(); }

bool AppServices::ExamineHolds(const QString& params) { return Runner && ::ExamineHolds(Runner->Context(), params); }

void AppServices::ShowRecorder() { ShowRecorderWindow(); }

bool AppServices::TestScriptExpression(const TMacroDocument* list, int row) { return ::TestScriptExpression(list, row); }

void AppServices::BuildSystemVariables() { BuildSystemVariableList(); }

bool AppServices::IsSysVar(const QString& name) { return SystemVariableIndex(name) >= 0; }

bool AppServices::SysVarWritable(const QString& name) {
    const int i = SystemVariableIndex(name);
    return i >= 0 && TListOfSysVar[i].Writable;
}

QString AppServices::ReadSysVar(const QString& name) {
    QString value;
    ReadSystemVariable(name, value);
    return value;
}

void AppServices::WriteSysVar(const QString& name, const QString& value) { WriteSystemVariable(name, value); }

bool AppServices::EditRow(const QString& keyword) {
    EditSelectedRow(keyword);
    return true;
}

void AppServices::OpenAddDialog(const QString& keyword) { OpenDialogForAdding(keyword); }

void AppServices::ClearImageRefs() { ::ClearImageRefs(TabImgMoveMouse); }

void AppServices::LoadPlugin(const QString& path) { LoadCommandPlugin(path); }

// The command tree adds the nodes itself once built; when it exists already, here.
void AppServices::AddPluginNodes() {
    if (auto* tree = Form1.made() ? Form1->findChild<QTreeWidget*>(QStringLiteral("TreeView1")) : nullptr) ::AddPluginNodes(tree);
}

void AppServices::UnloadPlugins() { FreePlugins(); }

bool AppServices::PluginKnown(const QString& keyword) { return GetNewOrderIndex(keyword) >= 0; }

PluginCheck AppServices::CheckPluginRow(const QString& keyword, const QString& params) {
    return ::CheckPluginRow(keyword, params);
}

int AppServices::PluginIcon(const QString& keyword) {
    const int index = GetNewOrderIndex(keyword);
    return index < 0 ? -1 : DynamiqueOrders[index].ImageIndex;
}

bool AppServices::EditPluginRow(int row) { return ::EditPluginRow(row); }

void AppServices::RegisterStartupHotKeys() { ::RegisterStartupHotKeys(); }

namespace {
// The shortcuts of the settings that another program held when last added.
QSet<QString>& takenShortcuts() {
    static QSet<QString> taken;
    return taken;
}
}  // namespace

void AppServices::AddGlobalHotKey(const QString& shortcut) {
    if (AddSettingsHotKey(shortcut)) takenShortcuts().remove(shortcut);
    else takenShortcuts().insert(shortcut);
    if (TForm19* options = Form19.made()) ShowTakenHotKeys(*options);
}

void ShowTakenHotKeys(QWidget& window) {
    if (&window != Form19.made()) return;
    for (const auto& [field, shortcut] : {std::pair{Form19->HotKey1, settings().PauseHotKey}, {Form19->HotKey2, settings().StopHotKey}}) {
        const bool taken = takenShortcuts().contains(shortcut);
        const QString warning = QStringLiteral("Le raccourci %1 est déjà pris par un autre programme : il reste sans effet.")
                                    .arg(shortcut);
        field->setToolTip(taken ? warning : QString());
        field->setStyleSheet(taken ? QStringLiteral("QLineEdit { color: red; }") : QString());
    }
}

void AppServices::RemoveGlobalHotKey(const QString& shortcut) { RemoveSettingsHotKey(shortcut); }

void AppServices::LoadLanguageFile(const QString& name) { ::LoadLanguageFile(name); }

void AppServices::ImportOtherLangText(const QString& fileName, TListView* list) { ::ImportOtherLangText(fileName, list); }

int AppServices::SendMail(const QStringList& lines) { return SendMailMapi(lines); }

void AppEngineServices::ShowObjectChoice(const QVector<quint64>& windows) { Form17->ShowChoice(windows); }

bool AppEngineServices::ObjectChoiceDone() { return !Form17.made() || Form17->ChoiceDone; }

quint64 AppEngineServices::ChosenObject() { return Form17.made() ? Form17->Chosen : 0; }

void AppEngineServices::CloseObjectChoice() {
    TForm17* list = Form17.made();
    if (!list) return;
    list->ChoiceDone = true;
    list->close();
}

QString AppEngineServices::MacroPath() {
    return Form1.made() ? Form1->StatusPanel[0]->text() : EngineServices::MacroPath();
}

bool AppEngineServices::EditorShown() { return Form1.made() && Form1->isVisible(); }

quint64 AppEngineServices::MainWindow() { return Form1.made() ? Form1->winId() : 0; }

void AppEngineServices::OpenMacro(const QString& path) {
    if (TForm1* main = Form1.made())
        main->OpenFileMacro(path, main->ListView1, QStringLiteral("Chargement des commandes en cours, veuillez patient SVP."), -1);
}

void AppEngineServices::SaveMacro() {
    TForm1* main = Form1.made();
    if (main && (!RunState().AutoRun || !main->SaveDialog1->FileName.isEmpty())) main->Enregistrer1Click();
}

void AppEngineServices::RestoreMainWindow(int windowState) {
    if (TForm1* main = Form1.made()) main->setWindowState(Qt::WindowStates(windowState));
}

bool AppEngineServices::TriggerTool(int n) {
    TForm1* main = Form1.made();
    const QList<QAction*> items = main && main->mesoutils1 ? main->mesoutils1->actions() : QList<QAction*>();
    if (n < 1 || n > items.size()) return false;
    items[n - 1]->trigger();
    return true;
}
