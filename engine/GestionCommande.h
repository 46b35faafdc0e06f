#pragma once
// Command plug-ins: shared libraries that each add one command
// (plugins/OrvanelPlugin.h). The loaded ones, their palette buttons and
// pictures, and what the editor, the checker and the runner ask of them.
#include "core/Services.h"
#include "platform/Library.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

#include <cstdint>

class QToolButton;

// The exports of a plug-in library, in the order they are looked up.
struct TPluginFunctions {
    void (*ReceiveHandleApp)(uint64_t window) = nullptr;
    void (*ReceiveHandleLibrary)(uint32_t module) = nullptr;
    void (*GetInfoFromOrvanel)(const char* key, const char* text, int32_t value, int32_t valid) = nullptr;
    void (*GetListOrder)(const char* keyword, const char* params, int32_t found) = nullptr;
    const char* (*GetInfoName)() = nullptr;
    const char* (*GetInfoRubrique)() = nullptr;
    const char* (*GetInfoHint)() = nullptr;
    const char* (*GetInfoDescription)() = nullptr;
    const char* const* (*GetInfoIcon)() = nullptr;
    int32_t (*Debug)(const char* params) = nullptr;
    const char* (*MsgDebug)(const char* params) = nullptr;
    const char* (*NewOrdre)() = nullptr;
    void (*ExecuteOrder)(const char* params) = nullptr;
    void (*StopOrder)() = nullptr;
    const char* (*ChangeOrdre)(const char* params) = nullptr;
};

// One loaded plug-in command. An entry with an empty Name is no plug-in
// (the placeholder 0, a failed load).
struct TDynamiqueOrder {
    QString Name;         // the command keyword of its rows
    QString Rubrique;     // category: the caption of its palette tab
    QString Hint;         // its palette button's hint
    QString Description;  // a text, or the name of a file beside the library
    QString LibraryPath;  // as loaded
    int ImageIndex = -1;  // its picture among the command icons
    platform::HMODULE Module = 0;
    QPointer<QToolButton> Button;
    TPluginFunctions F;
};

// Entry 0 is a placeholder; each load appends one entry, failed ones too, so
// indexes never move while the program runs.
extern QVector<TDynamiqueOrder> DynamiqueOrders;
// Set by a plug-in (query 0) during NewOrdre or ChangeOrdre: their result is dropped.
extern bool CancelNewOrder;

// What happens to the table: a plug-in loaded (its index) or removed (its
// category); the palette follows.
class TPluginEvents : public QObject {
    Q_OBJECT
signals:
    void Loaded(int index);
    void Removed(const QString& category);
};
TPluginEvents& PluginEvents();

// Loads one library, found at the path, else beside the program, else in the
// program's folder "Plugins", and tells PluginEvents(). The
// new entry's index; -1 when the library is missing, cannot be loaded or
// lacks exports (each reason said in a message box).
int LoadCommandPlugin(const QString& path);
// The first plug-in whose Name is that keyword (exact); -1 when none.
int GetNewOrderIndex(const QString& keyword);
// The plug-in of a module handle; 0 when no loaded plug-in has it.
int GetPluginIndex(quint64 module);
// The run-time handler of a plug-in keyword: its ExecuteOrder with the row's
// parameters (nothing for a keyword no plug-in has). True when the plug-in
// placed the run on another row meanwhile (message 2261).
bool RunPluginCommand(const QString& keyword, const QString& params);
// StopOrder of every plug-in, at the end of a run.
void StopPluginCommands();
// What the library's check functions say of a row.
PluginCheck CheckPluginRow(const QString& keyword, const QString& params);
// Unloads one plug-in: its library freed, its name emptied (the entry stays,
// indexes never move), its palette button gone; PluginEvents() is told.
void RemoveCommandPlugin(int index);
// Frees every library and empties the table (the main window's end).
void FreePlugins();
// A message of the plug-in placed the run on another row while it ran.
void NotePluginMovedRun();
