#include "engine/ContextOfExecute.h"

#include "core/Dialogs.h"
#include "core/FileSave.h"
#include "core/RunState.h"
#include "core/Variables.h"
#include "engine/EngineServices.h"
#include "engine/Handlers.h"
#include "engine/ListFile.h"
#include "engine/Runner.h"
#include "platform/Cp1252.h"
#include "platform/ProgramFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstring>

namespace {

// ---- Bytes ----

void putInt(QByteArray& out, int offset, int32_t value) { qToLittleEndian(value, out.data() + offset); }

// A short string: a length byte and up to 255 bytes.
void putShort(QByteArray& out, int offset, const QString& text) {
    const QByteArray bytes = platform::toCp1252(text.left(255));
    out[offset] = char(bytes.size());
    std::memcpy(out.data() + offset + 1, bytes.constData(), size_t(bytes.size()));
}

QString getShort(const QByteArray& in, int offset) {
    return platform::fromCp1252(in.constData() + offset + 1, quint8(in[offset]));
}

void putString(QByteArray& out, const QString& text) {
    const QByteArray bytes = platform::toCp1252(text);
    QByteArray count(4, 0);
    putInt(count, 0, int32_t(bytes.size()));
    out += count + bytes;
}

// The strings after the header, read with their counts checked.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}
    bool next(QString& text) {
        if (at_ + 4 > bytes_.size()) return false;
        const int32_t count = qFromLittleEndian<int32_t>(bytes_.constData() + at_);
        at_ += 4;
        if (count < 0 || count > bytes_.size() - at_) return false;
        text = platform::fromCp1252(bytes_.constData() + at_, count);
        at_ += count;
        return true;
    }

private:
    const QByteArray& bytes_;
    qsizetype at_ = kContextHeaderSize;
};

bool parseHeader(const QByteArray& bytes, ExecContextHeader& h) {
    if (bytes.size() < kContextHeaderSize) return false;
    const char* d = bytes.constData();
    h.MacroPath = getShort(bytes, 0);
    h.MacroAge = qFromLittleEndian<double>(d + 256);
    h.CurrentRow = qFromLittleEndian<int32_t>(d + 264);
    h.ExecutedCount = qFromLittleEndian<int32_t>(d + 272);
    h.RunStartTime = getShort(bytes, 276);
    h.WindowState = quint8(d[532]);
    h.VariableCount = qFromLittleEndian<int32_t>(d + 536);
    h.FileCount = qFromLittleEndian<int32_t>(d + 540);
    return h.VariableCount >= 0 && h.FileCount >= 0;
}

QString openMacroPath() { return engineServices().MacroPath(); }

void corrupt(const QString& path) {
    MessageDlg(QStringLiteral("Le contexte d'exécution « %1 » est illisible ou incomplet.").arg(path), MsgType::Error,
               mbOK);
}

// Opens a saved file again and passes over the lines already read; false
// when it is missing or shorter than that.
bool reopen(ListFileEntry& entry) {
    auto file = std::make_unique<QFile>(entry.name);
    if (!file->open(QIODevice::ReadOnly)) return false;
    for (int n = 0; n < entry.linesRead; ++n) {
        if (file->atEnd()) return false;
        textfile::ReadLine(*file);
    }
    entry.file = std::move(file);
    return true;
}

}  // namespace

double MacroFileAge(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return -1;
    const QDateTime t = info.lastModified();
    const QDate d = t.date();
    const QTime h = t.time();
    return double((quint32(d.year() - 1980) << 25) | (quint32(d.month()) << 21) | (quint32(d.day()) << 16) |
                  (quint32(h.hour()) << 11) | (quint32(h.minute()) << 5) | quint32(h.second() / 2));
}

bool SaveExecutionContext(const TRunContext& ctx, const QString& path) {
    const TRunState& state = ctx.State;
    const QVector<TVar>& variables = ctx.Vars.Entries();
    QByteArray out(kContextHeaderSize, 0);
    putShort(out, 0, openMacroPath());
    qToLittleEndian(MacroFileAge(openMacroPath()), out.data() + 256);
    putInt(out, 264, state.CurrentOrderIndex);
    putInt(out, 272, state.ExecutedCount);
    putShort(out, 276, state.RunStartTime);
    out[532] = char(state.SavedWindowState);
    putInt(out, 536, int32_t(variables.size()));
    putInt(out, 540, int32_t(TListFile.size()));
    for (const TVar& v : variables) {
        putString(out, v.Name);
        putString(out, v.Value);
    }
    for (const ListFileEntry& f : TListFile) {
        putString(out, f.name);
        putString(out, QString::number(qint64(MacroFileAge(f.name))));
        putString(out, QString::number(f.linesRead));
    }
    return SaveFile(path, out, platform::FileAccess::OwnerOnly);  // every value, "[PASSWORD]" too
}

bool ReadContextHeader(const QString& path, ExecContextHeader& header) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && parseHeader(file.read(kContextHeaderSize), header);
}

bool ParseExecutionContext(const QByteArray& bytes, ExecContextContents& contents) {
    ExecContextHeader& h = contents.Header;
    if (!parseHeader(bytes, h)) return false;
    // The counts first: each variable takes two strings, each file three, and
    // a string at least its 4-byte count.
    if ((qint64(h.VariableCount) * 2 + qint64(h.FileCount) * 3) * 4 > bytes.size() - kContextHeaderSize) return false;
    Reader reader(bytes);
    contents.Variables.resize(h.VariableCount);
    contents.Files.clear();
    bool whole = true;
    for (auto& [name, value] : contents.Variables) whole = whole && reader.next(name) && reader.next(value);
    for (int i = 0; whole && i < h.FileCount; ++i) {
        QString name, age, lines;
        whole = reader.next(name) && reader.next(age) && reader.next(lines);
        contents.Files.append({name, qMax(0, lines.toInt())});
    }
    return whole;
}

bool LoadExecutionContext(TRunContext& ctx, const QString& path) {
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // Every string is read before anything changes: a corrupt file restores nothing.
    ExecContextContents contents;
    if (!ParseExecutionContext(bytes, contents)) {
        corrupt(path);
        return false;
    }
    const ExecContextHeader& h = contents.Header;
    if (MacroFileAge(h.MacroPath) != h.MacroAge &&
        MessageDlg(QStringLiteral("La macro a été enregistrée après la sauvegarde du contexte d'exécution, voulez-vous "
                                  "tout de même reprendre l'exécution?"),
                   MsgType::Confirmation, mbYes | mbNo) != mrYes)
        return false;
    if (h.MacroPath != openMacroPath()) engineServices().OpenMacro(h.MacroPath);
    TRunState& state = ctx.State;
    state.CurrentOrderIndex = h.CurrentRow;
    state.ExecutedCount = h.ExecutedCount;
    state.RunStartTime = h.RunStartTime;
    state.SavedWindowState = h.WindowState;
    ctx.Vars.Clear();
    for (const auto& [name, value] : std::as_const(contents.Variables)) ctx.Vars.Write(name, value);
    CloseRunFiles();
    for (const ExecContextContents::OpenFile& open : std::as_const(contents.Files)) {
        ListFileEntry f{open.Name, nullptr, open.LinesRead};
        if (!reopen(f)) {
            MessageDlg(QStringLiteral("Fichier introuvable ou modifié après la sauvegarde du contexte. (%1)").arg(f.name),
                       MsgType::Warning, mbOK);
            f.name.clear();  // the entry stays, closed, as a closed one would
            f.linesRead = 0;
        }
        TListFile.push_back(std::move(f));
    }
    return true;
}

QStringList SavedContextsOf(const QString& macroPath) {
    QStringList names;
    const QDir folder(ContextFolder());
    for (const QString& name : folder.entryList({QStringLiteral("*.ctx")}, QDir::Files, QDir::Name)) {
        ExecContextHeader h;
        if (ReadContextHeader(folder.filePath(name), h) && h.MacroPath == macroPath) names << name;
    }
    return names;
}

QString ProposedContextName(const QString& macroPath) {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return QStringLiteral("%1 %2_%3_%4 %5_%6_%7")
        .arg(QFileInfo(macroPath).fileName())
        .arg(d.day())
        .arg(d.month())
        .arg(d.year())
        .arg(t.hour())
        .arg(t.minute())
        .arg(t.second());
}

// ---- The runner's entries ----

QStringList TRunner::SavedContexts() { return SavedContextsOf(openMacroPath()); }

QString TRunner::ProposedContextName() { return ::ProposedContextName(openMacroPath()); }

void TRunner::SaveContext(const QString& path) { SaveExecutionContext(ctx_, path); }

void TRunner::ResumeContext(const QString& path) {
    if (state_.ExecState != 0) return;
    contextToResume_ = path;
    Execute(true, 0);
}
