#pragma once
// Printing and text copies of a macro.
#include <QDateTime>
#include <QString>
#include <QStringList>

class QPrinter;

// The print file of the command list: "pr~tmp.doc" in the program folder.
QString PrintFileName();
// The check list's rows on pages of 300 dots an inch, x 50, a line every 50
// dots, each page headed by the macro, its number, the date and the time.
void PaintCheckList(QPrinter& printer, const QStringList& rows, const QString& macro, const QDateTime& when);

// A command row as forum text and as HTML (its texts escaped), with its line break.
QString ForumLine(const QString& keyword, const QString& params);
QString HtmlLine(const QString& keyword, const QString& params);
