#pragma once
// The command clipboard: rows travel through "clipboard.tmp" (277-byte
// records, never encoded) and as "keyword<TAB>parameters" lines of text
// through the system clipboard.
#include "core/MacroFileRecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;
class TForm1;
class TListView;

namespace editing {
void buildClipboardUi(TForm1& form);
}

namespace CplBrd {

// "clipboard.tmp" in the program folder.
QString ClipboardFileName();

// The system clipboard's text, after pumping the events once and a 10 ms rest.
QString GetClipboardText();
bool SetClipboardText(const QString& text);

// The focused single-line edit, combo box or memo of the active program
// window (one named "Form1" to "Form37"); null otherwise.
QWidget* GetActiveDialogEdit();

// What the edit entries do to such a field (through the system clipboard).
enum class FieldAction { Cut, Copy, Paste, Clear };
void EditField(QWidget* field, FieldAction action);

// Puts rows of list on the system clipboard as text and writes them to
// "clipboard.tmp"; false (after a message) when the file could not be written.
bool CopyRows(TListView* list, const QList<int>& rows);

// The whole records of a file of 277-byte records; a shorter tail is ignored.
// False when the file cannot be read.
bool ReadRecords(const QString& fileName, QVector<TMacroFileRecord>& records);

// The lines of a pasted text that are not blank (any line break counts).
QStringList PastedLines(const QString& text);

// Splits a pasted text line into a known command keyword (built-in or
// plug-in) and its parameters; the longest known prefix wins, so
// "Calcul évolué" beats "Calcul". False when the line starts with no keyword.
bool SplitCommandLine(const QString& line, QString& keyword, QString& params);

}  // namespace CplBrd
