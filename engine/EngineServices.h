#pragma once
// What the engine asks of the layers above it: the editor that shows the
// macro, the dialogs, the plug-ins. The program body installs the real
// answers at start-up; tests may install their own. Every member has a
// default that does the least, so a caller never checks for one.
#include <QString>
#include <QVector>

class EngineServices {
public:
    virtual ~EngineServices() = default;

    // ---- The editor ----
    // The open macro's path as the status bar shows it ("Nouvelle macro" for a new one).
    virtual QString MacroPath() { return QStringLiteral("Nouvelle macro"); }
    // The editor's window is on the screen.
    virtual bool EditorShown() { return false; }
    // The main window's handle; 0 when there is none.
    virtual quint64 MainWindow() { return 0; }
    // Opens that macro in the editor (a context taken up names another one).
    virtual void OpenMacro(const QString& path) { (void)path; }
    // Saves the open macro as "Enregistrer" does (before a shutdown), unless
    // that would ask for a file name in an unattended run.
    virtual void SaveMacro() {}
    // The main window back in the state it had when the run began ("Quitter").
    virtual void RestoreMainWindow(int windowState) { (void)windowState; }
    // Entry n (from 1) of the "Mes Outils" menu; false when there is none.
    virtual bool TriggerTool(int n) { return n < 0; }

    // ---- The window list in choice mode ("Objet" rows) ----
    // Shows the list of these windows for the user to pick one, without blocking.
    virtual void ShowObjectChoice(const QVector<quint64>& windows) { (void)windows; }
    // True once the user chose or gave up (and when no list is shown).
    virtual bool ObjectChoiceDone() { return true; }
    // The window chosen; 0 when none was.
    virtual quint64 ChosenObject() { return 0; }
    // Closes the list without a choice: the run that waited on it stopped.
    virtual void CloseObjectChoice() {}
};

// The services in use: the installed ones, else the defaults.
EngineServices& engineServices();
// Not owned; null puts the defaults back.
void InstallEngineServices(EngineServices* services);
