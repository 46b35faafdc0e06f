#pragma once
// The run-time helper library of the handlers (the helpers the checker shares
// with it are in core/Helpers.h).
#include "core/Helpers.h"

#include <QDateTime>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>


namespace mdlfnct {

// "Jour", "Mois", "Année", "Heure", "Minute", "Seconde" of a date-time as two
// (four for the year) digits; any other part name gives "".
QString DateTimePart(const QString& part, const QDateTime& when);
// The one-line rich text the "Execute" command writes into the report: white
// 12-point text on black. Braces and backslashes of text are escaped.
QString MakeRtfLine(const QString& text);

// ---- Keyboard and mouse injection (mdlfnct_input.cpp) ----
// Every key the engine presses is released again.
void KeyEvent(uint8_t vk, bool down);
void PressWithShift(uint8_t vk);
void PressWithCtrl(uint8_t vk);
void PressWithAlt(uint8_t vk);
void PressWithCtrlAlt(uint8_t vk);
// A VkKeyScan result: low byte the key, high byte the shift state (1 Shift,
// 2 Ctrl, 4 Alt, 6 AltGr); states 3, 5 and 7 type nothing.
void TypeVkScan(int16_t code);
bool MouseMoveAbsolute(int x, int y);

// ---- Windows (mdlfnct_windows.cpp) ----
quint64 GetTopParentWindow(quint64 window);
QString GetWindowClass(quint64 window);
QString GetWindowCaption(quint64 window);
// The lower-case file name of the program that owns the window; "" when unknown.
QString GetWindowExeName(quint64 window);
bool ForceForegroundWindow(quint64 window);

// ---- Files, disks and power (mdlfnct_files.cpp) ----
// The first entry of the folder matching the file name or mask, as the
// classic file search with every attribute finds it; none: a null QFileInfo.
QFileInfo FirstFileMatch(const QString& mask);
// Date-times are counted in days since 30 December 1899, the fraction being
// the time of day (0 = none).
double DateTimeToNumber(const QDateTime& when);
// A file time (100 ns steps since 1 January 1601, UTC) as a local date-time number.
double FileTimeToDateTime(qint64 fileTime);
double FileModifiedDate(const QString& mask);
double FileAccessDate(const QString& mask);
double FileDate(const QString& mask);  // to two seconds
// 1 UTF-8 mark, 2 UTF-16 LE mark, 3 UTF-16 BE mark, 4 rich text, 5 compound
// document, 0 anything else or an empty file; -1 when the file cannot be read.
int DetectFileEncoding(const QString& fileName);
// Mode 0: the kind of disk holding the folder; 1 and 2: its total and free
// millions of bytes as "0.00". Disks are named by a folder of theirs ("/",
// "/media/usb"): a text that does not begin with "/" is reported as a bad
// drive letter and gives "".
QString DiskInfo(const QString& drive, int mode);
// Attribute masks: 2 hidden (dot) files, 16 folders, as the classic file search.
void AppendMatchingFiles(const QString& folder, const QString& masks, int attributes, const QString& outputFile);
void ListFilesByMasks(const QString& folder, const QString& masks, int attributes, QStringList& list);
void FindFilesRecursive(int depth, const QString& folder, const QString& masks, const QString& outputFile,
                        bool recurse, int attributes);
bool SetPowerState(bool suspend, bool force);

// ---- Key names (mdlfnct_keys.cpp) ----
struct KeyNameEntry {
    quint32 code = 0;  // virtual-key code, 0 when the button is missing
    QString name;      // the button's caption, at most 64 characters
    int scan = 0;      // the key's scan code
    bool extended = false;
};
// A named key goes down or up. A key that types a character is pressed by
// its place on the keyboard, so that it types what its name says in the
// active layout; the others by their virtual key.
void PressNamedKey(const KeyNameEntry& key, bool down);
// One entry per key button SpeedButton1..SpeedButton110 of the on-screen
// keyboard (TForm4); index 0 is button 1.
extern QVector<KeyNameEntry> KeyNameTable;
void BuildKeyNameTable();
QString KeyNameOfVk(quint32 vk);
QString LastKeyNameOfVk(quint32 vk);
// MapVirtualKey: map type 0 gives the scan code of a virtual key, 1 the
// virtual key of a scan code (set 1, as the PC keyboard sends it); 0 when none.
quint32 MapVirtualKeyA(quint32 code, int mapType);

}  // namespace mdlfnct
