#pragma once
// What the editor core asks of the layers above it (the engine, the dialogs,
// the tools) and of the person at the screen. The program body installs the
// real answers at start-up; tests install their own. Every member has a
// default that does the least that keeps the program going, so a caller
// never checks for one.
#include "core/Dialogs.h"

#include <QString>
#include <functional>
#include <optional>

class QColor;
class QFont;
class QPrinter;
class QUrl;
class QWidget;
class TFileDialog;
class TListView;
class TMacroDocument;
class TRunControl;

// What a plug-in library says of one of its rows.
struct PluginCheck {
    bool hasCheck = false;  // the library exports its check functions
    bool ok = true;         // the library's check result
    QString message;        // the library's message, empty for none
};

class CoreServices {
public:
    virtual ~CoreServices() = default;

    // ---- The person at the screen ----
    // A message box: the button pressed (a ModalResult).
    virtual int AskMessage(const MessageRequest& request);
    // An open or save dialog: true when a file was chosen (then in FileName).
    virtual bool ChooseFile(TFileDialog& dialog);
    // The colour dialog, opened on color: false when cancelled (color unchanged).
    virtual bool ChooseColor(QColor& color);
    // The font dialog, opened on font: false when cancelled (font unchanged).
    virtual bool ChooseFont(QFont& font);
    // An input box: false when cancelled.
    virtual bool AskText(const QString& caption, const QString& prompt, QString& text, bool password);
    // A window that must be closed before going on.
    virtual void ShowModal(QWidget& window);
    // Opens a file with the desktop's handler for it (a program is started);
    // fragment names a place inside it. False when that failed or the file
    // does not exist.
    virtual bool OpenDocument(const QString& path, const QString& fragment);
    virtual bool OpenUrl(const QUrl& url);
    // The print dialog sets printer up; false when cancelled (nothing is printed).
    virtual bool ChoosePrinter(QPrinter& printer);
    // The print preview of the pages paint draws on the printer it is given.
    virtual void PreviewPrint(QPrinter& printer, const std::function<void(QPrinter&)>& paint);
    // Ends the program with that status.
    virtual void Terminate(int status);

    // ---- The run (engine) ----
    virtual TRunControl& Run();
    // The condition of an "Examine" row holds now.
    virtual bool ExamineHolds(const QString&) { return false; }
    // The recorder window, made when first needed, shown when it can record.
    virtual void ShowRecorder() {}
    // The test evaluation of a "ScriptEval" row (core/ScriptText.h): true when
    // it gives a Boolean; a script error is thrown as an EScriptError.
    virtual bool TestScriptExpression(const TMacroDocument*, int) { return false; }

    // ---- System variables (engine) ----
    virtual void BuildSystemVariables() {}
    virtual bool IsSysVar(const QString&) { return false; }
    virtual bool SysVarWritable(const QString&) { return false; }
    // The current value of a system variable.
    virtual QString ReadSysVar(const QString&) { return {}; }
    // Carries out the write and its side effect.
    virtual void WriteSysVar(const QString&, const QString&) {}

    // ---- Plug-ins, hotkeys (engine) ----
    virtual void LoadPlugin(const QString&) {}
    virtual void AddPluginNodes() {}
    virtual void UnloadPlugins() {}
    // A loaded plug-in command has that keyword.
    virtual bool PluginKnown(const QString&) { return false; }
    virtual PluginCheck CheckPluginRow(const QString&, const QString&) { return {}; }
    // The icon of a plug-in command; -1 when none.
    virtual int PluginIcon(const QString&) { return -1; }
    // Edits a plug-in row through its library; false when its keyword is no loaded plug-in.
    virtual bool EditPluginRow(int) { return false; }
    virtual void RegisterStartupHotKeys() {}
    // The global pause and stop hotkeys, in the text form of a shortcut.
    virtual void AddGlobalHotKey(const QString&) {}
    virtual void RemoveGlobalHotKey(const QString&) {}

    // ---- Command dialogs (editors) ----
    // Opens the dialog of the selected row's keyword for modifying it; false
    // when the keyword has none (nothing opened).
    virtual bool EditRow(const QString&) { return false; }
    // Opens the dialog that adds a row of that keyword.
    virtual void OpenAddDialog(const QString&) {}
    // Empties the snapshots "Move Mouse" rows name.
    virtual void ClearImageRefs() {}

    // ---- Languages and text (tools) ----
    virtual void LoadLanguageFile(const QString&) {}
    // A file that is not a macro file: its text is imported into list (null: ListView1).
    virtual void ImportOtherLangText(const QString&, TListView*) {}
    // Hands a message ("to=", "subject=", "body=", "attachment0="... lines)
    // to the user's mail program: 0 when it took it.
    virtual int SendMail(const QStringList&) { return -1; }
};

// The services in use: the installed ones, else the defaults.
CoreServices& Services();
// Not owned; null puts the defaults back.
void InstallServices(CoreServices* services);
