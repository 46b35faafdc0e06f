#pragma once
// What the engine asks of the layers above it (the dialogs). The program body
// installs the real answers at start-up; tests may install their own. Every
// member has a default that does the least, so a caller never checks for one.
#include <QVector>

class EngineServices {
public:
    virtual ~EngineServices() = default;

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
