#pragma once
// The text files "Lire" reads line after line during a run (TListFile): one
// entry per file, kept open read-only between two reads.
#include <QString>

#include <memory>
#include <vector>

class QFile;

struct ListFileEntry {
    QString name;                 // as the command resolved it (compared case-sensitively); empty once closed
    std::unique_ptr<QFile> file;  // null once closed
    int linesRead = 0;            // since the file was (re)opened
};

extern std::vector<ListFileEntry> TListFile;

// Closes and empties every entry named `name` (the entry stays, unnamed).
// CloseRunFiles (engine/Handlers.h) closes them all and empties the table.
void CloseListFile(const QString& name);

// ---- Text lines as the file commands read and write them ----
namespace textfile {
// A line ends at CR LF, LF or CR; the end of the file ends the last one.
QByteArray ReadLine(QFile& file);
// UTF-8, or Windows-1252 for bytes that are not UTF-8.
QString Decode(const QByteArray& bytes);
// The lines of a whole file; a final line break opens no line.
QStringList SplitLines(const QByteArray& bytes);
}  // namespace textfile
