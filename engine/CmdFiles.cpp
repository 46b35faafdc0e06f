// Run-time handlers of "Lire" and "Ecrire": text files read a line at a
// time, written by appending or replacing one line, and clipboard files.
#include "engine/ClipboardFile.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/ListFile.h"
#include "engine/mdlfnct.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace {

const QString kClipboard = QStringLiteral("[CLIPBOARD]");
constexpr int kMostLines = 1000000;  // a line number beyond is taken for a mistake

CommandResult fail(const QString& message) { return RunError(message); }

QString invalidName(const QString& fileName) {
    return QStringLiteral("Nom de Fichier invalide (") + fileName + QStringLiteral(").");
}

QString noAccess(const QString& fileName) {
    return QStringLiteral("Impossible d'accéder au fichier nommé ") + fileName + u'.';
}

// Lines 1 to `line` are read (or as many as there are); the last one read is the value.
bool readDirect(const QString& fileName, int line, QString& value) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray last;
    for (int n = 0; n < line && !file.atEnd(); ++n) last = textfile::ReadLine(file);
    value = textfile::Decode(last);
    return true;
}

// The next line of the file, from its start again after its last line. A
// file that cannot be opened or is not plain text is not kept in the table.
CommandResult readNext(const QString& fileName, QString& value) {
    auto entry =
        std::find_if(TListFile.begin(), TListFile.end(), [&](const ListFileEntry& e) { return e.name == fileName; });
    if (entry == TListFile.end()) {
        const int encoding = mdlfnct::DetectFileEncoding(fileName);
        auto file = std::make_unique<QFile>(fileName);
        if (encoding < 0 || !file->open(QIODevice::ReadOnly)) return fail(noAccess(fileName));
        if (encoding != 0) return fail(QStringLiteral("Fichier ASCII non reconnu."));
        TListFile.push_back({fileName, std::move(file), 0});
        entry = TListFile.end() - 1;
    }
    if (entry->file->atEnd()) {  // read again from the start, as it is now
        auto file = std::make_unique<QFile>(fileName);
        if (!file->open(QIODevice::ReadOnly)) {
            CloseListFile(fileName);
            return fail(noAccess(fileName));
        }
        entry->file = std::move(file);
        entry->linesRead = 0;
    }
    value.clear();
    if (!entry->file->atEnd()) {
        value = textfile::Decode(textfile::ReadLine(*entry->file));
        ++entry->linesRead;
    }
    return Done();
}

// Creates the folder of a file with its missing parents.
CommandResult makeFolderOf(const QString& fileName) {
    const QString folder = QFileInfo(fileName).absolutePath();
    if (QDir().mkpath(folder)) return Done();
    return fail(QStringLiteral("Impossible de créer le répertoire (") + folder + QStringLiteral(")."));
}

bool appendLine(const QString& fileName, const QString& text) {
    QFile file(fileName);
    const QByteArray line = text.toUtf8() + "\r\n";
    return file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(line) == line.size();
}

// Line `line` (1-based) becomes text, in the file's own encoding (UTF-8, or
// Windows-1252 for a file that is not UTF-8); empty lines are added up to it
// with the file's own line break. The other lines keep their bytes. The file
// is replaced whole, or not at all.
bool replaceLine(const QString& fileName, int line, const QString& text) {
    QFile in(fileName);
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray old = in.readAll();
    in.close();
    QVector<textfile::RawLine> lines = textfile::SplitLines(old);
    const QByteArray lineBreak = lines.isEmpty() || lines[0].end.isEmpty() ? QByteArrayLiteral("\r\n") : lines[0].end;
    while (lines.size() < line) lines.append(textfile::RawLine{});
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)  // a last line without a break that now has others after it
        if (lines[i].end.isEmpty()) lines[i].end = lineBreak;
    lines[line - 1].text = textfile::IsUtf8(old) ? text.toUtf8() : platform::toCp1252(text);
    if (lines[line - 1].end.isEmpty()) lines[line - 1].end = lineBreak;
    QByteArray bytes;
    bytes.reserve(old.size() + text.size() * 3 + line * 2);
    for (const textfile::RawLine& l : std::as_const(lines)) bytes += l.text + l.end;
    return QFileInfo(fileName).isWritable() && platform::WriteFileAtomically(fileName, bytes);
}

}  // namespace

// A clipboard file read or written fails as a run-time error of the row.
CommandResult clipboardFile(QString (*operation)(const QString&), const QString& fileName, const QString& failure) {
    const QString why = operation(fileName);
    return why.isEmpty() ? Done() : fail(failure.arg(fileName, why));
}

CommandResult ExecRead(CommandCall& c) {
    const ParamView& p = c.param;
    const QString fileName = p.value(1);
    const QString variable = p.text(2);
    if (!QFileInfo(fileName).isFile()) return fail(invalidName(fileName));
    if (variable == kClipboard && CplBrd::IsClpFile(fileName))
        return clipboardFile(CplBrd::LoadClipboardFromFile, fileName, CplBrd::kLoadFailure);
    QString number = p.text(3);  // a number as written is never taken for a variable's name
    if (!mdlfnct::IsInteger(number)) {
        number = p.value(3);
        if (!mdlfnct::IsInteger(number))
            return fail(QStringLiteral("La variable ") + p.text(3) +
                        QStringLiteral(" ne contient pas une valeur numérique entière(") + number +
                        QStringLiteral(")."));
    }
    const int line = mdlfnct::StrToIntOrZero(number);
    QString value;
    if (line >= 1) {
        if (!readDirect(fileName, line, value)) return fail(noAccess(fileName));
    } else if (const CommandResult r = readNext(fileName, value); r.failed()) {
        return r;
    }
    c.Write(variable, value);
    return Done();
}

CommandResult ExecWrite(CommandCall& c) {
    const ParamView& p = c.param;
    const QString fileName = p.value(1);
    if (!mdlfnct::IsValidFileName(fileName)) return fail(invalidName(fileName));
    if (const CommandResult r = makeFolderOf(fileName); r.failed()) return r;
    if (p.text(2) == kClipboard && CplBrd::IsClpFile(fileName))
        return clipboardFile(CplBrd::SaveClipboardToFile, fileName, CplBrd::kSaveFailure);
    const QString text = p.value(2);
    const QString cannotWrite = QStringLiteral("Impossible d'écrire dans le fichier nommé ") + fileName + u'.';
    if (p.text(3).isEmpty()) return appendLine(fileName, text) ? Done() : fail(cannotWrite);
    QFile created(fileName);  // created empty when missing
    if (!created.exists() && !created.open(QIODevice::WriteOnly)) return fail(cannotWrite);
    created.close();
    const QString number = p.value(3);
    const int line = mdlfnct::StrToIntOrZero(number);
    if (!mdlfnct::IsInteger(number) || line < 1 || line > kMostLines)
        return fail(QStringLiteral("Position d'écriture invalide."));
    return replaceLine(fileName, line, text) ? Done() : fail(cannotWrite);
}
