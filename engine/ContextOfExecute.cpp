#include "engine/ContextOfExecute.h"

#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/FileSave.h"
#include "core/RunState.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/ListFile.h"
#include "engine/Runner.h"
#include "platform/Cp1252.h"
#include "platform/ProgramFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QtEndian>

#include <cstring>

QString ContextToResume;

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

QString openMacroPath() { return Form1->StatusPanel[0]->text(); }

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

QString ContextFolder() { return platform::programFile(QStringLiteral("Sauvegarde context d'exécution")); }

double MacroFileAge(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return -1;
    const QDateTime t = info.lastModified();
    const QDate d = t.date();
    const QTime h = t.time();
    return double((quint32(d.year() - 1980) << 25) | (quint32(d.month()) << 21) | (quint32(d.day()) << 16) |
                  (quint32(h.hour()) << 11) | (quint32(h.minute()) << 5) | quint32(h.second() / 2));
}

bool SaveExecutionContext(const QString& path) {
    QByteArray out(kContextHeaderSize, 0);
    putShort(out, 0, openMacroPath());
    qToLittleEndian(MacroFileAge(openMacroPath()), out.data() + 256);
    putInt(out, 264, CurrentOrderIndex);
    putInt(out, 272, ExecutedCount);
    putShort(out, 276, RunStartTime);
    out[532] = char(SavedWindowState);
    putInt(out, 536, int32_t(TListVar.size()));
    putInt(out, 540, int32_t(TListFile.size()));
    for (const TVar& v : std::as_const(TListVar)) {
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

bool LoadExecutionContext(const QString& path) {
    QFile file(path);
    ExecContextHeader h;
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (!parseHeader(bytes, h)) {
        corrupt(path);
        return false;
    }
    // The counts first: each variable takes two strings, each file three, and
    // a string at least its 4-byte count. Then every string is read before
    // anything changes: a corrupt file restores nothing.
    if ((qint64(h.VariableCount) * 2 + qint64(h.FileCount) * 3) * 4 > bytes.size() - kContextHeaderSize) {
        corrupt(path);
        return false;
    }
    Reader reader(bytes);
    QVector<TVar> variables(h.VariableCount);
    std::vector<ListFileEntry> files;
    bool whole = true;
    for (TVar& v : variables) whole = whole && reader.next(v.Name) && reader.next(v.Value);
    for (int i = 0; whole && i < h.FileCount; ++i) {
        QString name, age, lines;
        whole = reader.next(name) && reader.next(age) && reader.next(lines);
        files.push_back({name, nullptr, qMax(0, lines.toInt())});
    }
    if (!whole) {
        corrupt(path);
        return false;
    }
    if (MacroFileAge(h.MacroPath) != h.MacroAge &&
        MessageDlg(QStringLiteral("La macro a été enregistrée après la sauvegarde du contexte d'exécution, voulez-vous "
                                  "tout de même reprendre l'exécution?"),
                   MsgType::Confirmation, mbYes | mbNo) != mrYes)
        return false;
    if (h.MacroPath != openMacroPath())
        Form1->OpenFileMacro(h.MacroPath, Form1->ListView1,
                             QStringLiteral("Chargement des commandes en cours, veuillez patient SVP."), -1);
    CurrentOrderIndex = h.CurrentRow;
    ExecutedCount = h.ExecutedCount;
    RunStartTime = h.RunStartTime;
    SavedWindowState = h.WindowState;
    TListVar.clear();
    for (const TVar& v : std::as_const(variables)) Form1->WriteVariable(QStringLiteral("VAR"), v.Name, v.Value);
    CloseRunFiles();
    for (ListFileEntry& f : files) {
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

void LoadExecutionContextForRun() {
    if (!LoadExecutionContext(ContextToResume)) MacroRunning = false;
}

// ---- The main window's entries ----

void TRunner::Sauvegardeducontextedexcution1Click() {
    const QString folder = ContextFolder();
    if (!QDir().mkpath(folder)) {
        MessageDlg(folder + QStringLiteral(" can't be create."), MsgType::Error, mbOK);
        return;
    }
    TFileDialog& dialog = *form_.OpenDialog2;
    dialog.Filter = QStringLiteral("Fichier contextuel d'execution (*.ctx)|*.ctx|Tous|*.*");
    dialog.FilterIndex = 1;
    if (ExecState != 0) {  // the run waits while the dialog is open
        dialog.FileName = QDir(folder).filePath(ProposedContextName(openMacroPath()));
        if (dialog.Execute()) SaveExecutionContext(dialog.FileName);
        return;
    }
    dialog.FileName = folder + u'/';
    if (!dialog.Execute()) return;
    ContextToResume = dialog.FileName;
    Execute(&form_, true, 0);
}

void TRunner::SpeedButton36Click() {
    QMenu& menu = *form_.PopupMenu7;
    menu.clear();
    for (const QString& name : SavedContextsOf(openMacroPath())) {
        QAction* item = menu.addAction(QString(name).replace(u'&', QStringLiteral("&&")));  // the exact file name
        connect(item, &QAction::triggered, this, [this, name] { RunSavedContext(name); });
    }
    const QToolButton* run = form_.SpeedButton103;
    menu.popup(run->mapToGlobal(QPoint(0, run->height() + 2)));
}

void TRunner::RunSavedContext(const QString& fileName) {
    if (ExecState != 0) return;
    ContextToResume = QDir(ContextFolder()).filePath(fileName);
    Execute(&form_, true, 0);
}
