#pragma once
// Command descriptions: blocks of the description list (DescriptionLines,
// core/Startup.h), each a header line ";;" + key + ";;" followed by its text
// lines up to the next header or INI section line.
#include <QString>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

// A header line: at least 4 characters, the first two and the last two ";".
bool IsDescriptionHeader(const QString& line);
inline QString DescriptionHeader(const QString& key) { return QStringLiteral(";;") + key + QStringLiteral(";;"); }
// The text lines of the block of key, empty when there is none.
QStringList DescriptionBlock(const QStringList& lines, const QString& key);
// Removes every block of key, then appends key's block with text (none when
// text is empty).
void ReplaceDescriptionBlock(QStringList& lines, const QString& key, const QStringList& text);

// The key of the description the panel shows (RichEdit2): set by whoever
// fills the panel, saved under by TForm1::ChangeDescription.
extern QString LastDescriptionPath;

// The place of a node in a tree walked in pre-order (the tree's absolute
// index), and back; -1 and null when there is none.
int AbsoluteIndex(const QTreeWidgetItem* item);
QTreeWidgetItem* ItemAtAbsoluteIndex(const QTreeWidget* tree, int index);

// The language file the options name: "<language>.lng" of the program folder.
QString LanguageFilePath();
// Reads the description list from the language file (empty without one).
void LoadDescriptionLines();
// Writes the description list over the language file; false (said in a
// message box) when the file is missing or cannot be written.
bool SaveDescriptionLines();
