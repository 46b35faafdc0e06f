#pragma once
// The text files "Lire" reads line after line during a run (TListFile): one
// entry per file, kept open read-only between two reads.
#include <QByteArray>
#include <QString>
#include <QVector>

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
// UTF-8 when all the bytes are, else Windows-1252.
bool IsUtf8(const QByteArray& bytes);
// One line of a file as its bytes: its text, then its line break (CR LF, LF
// or CR; empty for a last line without one).
struct RawLine {
    QByteArray text, end;
};
// The lines of a whole file, byte for byte; a final line break opens no line.
QVector<RawLine> SplitLines(const QByteArray& bytes);
}  // namespace textfile
