#pragma once
// Execution contexts: a run frozen to a ".ctx" file (the macro, its row, its
// counters, every variable and the text files "Lire" has open with the lines
// already read) and taken up again by a later run. Little-endian: a header of
// 544 bytes, then each variable's name and value, then each open file's path,
// age and lines read, each string a signed 32-bit byte count and its
// Windows-1252 bytes.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>
#include <utility>

struct ExecContextHeader {
    QString MacroPath;     // as the status bar shows it, at most 255 characters
    double MacroAge = 0;   // MacroFileAge of the macro when the context was saved
    int32_t CurrentRow = 0;
    int32_t ExecutedCount = 0;
    QString RunStartTime;  // "hh:mm:ss"
    uint8_t WindowState = 0;
    int32_t VariableCount = 0;
    int32_t FileCount = 0;
};
constexpr int kContextHeaderSize = 544;

// What a context file holds after its header: every variable (name, value)
// and each text file "Lire" had open, with the lines already read.
struct ExecContextContents {
    struct OpenFile {
        QString Name;
        int LinesRead = 0;
    };
    ExecContextHeader Header;
    QVector<std::pair<QString, QString>> Variables;
    QVector<OpenFile> Files;
};
// Reads the bytes of a whole context file; false when they are not one (a
// short header, counts beyond the bytes, a string cut short).
bool ParseExecutionContext(const QByteArray& bytes, ExecContextContents& contents);

// A file's age as the context keeps it: its local modification time packed
// as year-1980 (7 bits), month, day, hour, minute, second / 2; -1 when missing.
double MacroFileAge(const QString& path);

struct TRunContext;

// Writes the current run's context, readable by its owner only (it holds
// every variable's value); false after a message saying why.
bool SaveExecutionContext(const TRunContext& ctx, const QString& path);
// Restores a context into the run that is starting: false when nothing may
// run (the file is unreadable or corrupt, or the user declined to resume a
// macro changed since), after a message.
bool LoadExecutionContext(TRunContext& ctx, const QString& path);
// The header of a context file; false when it cannot be read.
bool ReadContextHeader(const QString& path, ExecContextHeader& header);
// The file names of the contexts saved for that macro, in the contexts folder.
QStringList SavedContextsOf(const QString& macroPath);
// The name the save dialog proposes during a run: the macro's file name, the
// date and the time ("demo.mcr 10_12_2026 14_5_9").
QString ProposedContextName(const QString& macroPath);
