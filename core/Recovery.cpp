#include "core/Inclusions.h"
#include "core/Recovery.h"

#include "core/Dialogs.h"
#include "core/MacroFile.h"
#include "core/MacroFileRecord.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Unit32.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

namespace {

const QString kNewMacro = QStringLiteral("Nouvelle macro");
constexpr int kEveryMs = 60 * 1000;

TForm1* editor = nullptr;
QString written;  // the copy on the disk, empty when none

QString macroPath() { return editor ? editor->StatusPanel[0]->text() : QString(); }

// Changed: a named macro that differs from its file, a new one with rows.
bool changed() {
    if (!editor || editor->ListView1->count() == 0) return false;
    return macroPath() == kNewMacro || editor->MacroChange();
}

// The rows as the macro file holds them, protected by its password as it is.
QByteArray macroBytes() {
    const bool encode = !OpenMacroFile().password.isEmpty();
    QByteArray out;
    if (encode)
        out += TMacroFileRecord{QStringLiteral("Info"), OpenMacroFile().password}.toBytes(true) +
               TMacroFileRecord{QStringLiteral("Infos"), TForm1::BoolToText(OpenMacroFile().protectSourceOnly)}.toBytes(true);
    for (const MacroCommand& row : FoldedRows(*editor->Macro))
        out += TMacroFileRecord{row.keyword, row.params}.toBytes(encode);
    return out;
}

// The macro opened as its file holds it, then given the copy's rows: it is
// its own again, changed. A protected copy needs its password.
void restore(const QString& macro, const QString& copy) {
    TMacroFileData data;
    if (!data.load(copy, nullptr)) return;
    if (macro != kNewMacro && QFileInfo::exists(macro)) {
        editor->OpenFileMacro(macro, editor->ListView1, QString(), -1);
        if (editor->StatusPanel[0]->text() != QFileInfo(macro).absoluteFilePath()) return;  // not opened
    }
    const QString password = data.password();
    if (password != OpenMacroFile().password && Form32->AskPassword(password) != 1) return;
    OpenMacroFile().password = password;
    editor->ListView1->clear();
    for (int i = 0; i < data.count(); ++i)
        if (const TMacroFileRecord r = data.record(i, !password.isEmpty()); r.keyword != u"Info" && r.keyword != u"Infos")
            editor->Add_commande(editor->ListView1, r);
    editor->ControlAll(editor->ListView1);
}

void forget() {
    if (!written.isEmpty()) QFile::remove(written);
    written.clear();
}

}  // namespace

QString RecoveryCopyPath(const QString& macroPath) {
    return (macroPath == kNewMacro ? platform::programFile(kNewMacro + QStringLiteral(".mcr")) : macroPath) + u'~';
}

void StartRecoveryCopies(TForm1& form) {
    editor = &form;
    auto* timer = new QTimer(&form);
    QObject::connect(timer, &QTimer::timeout, &form, &WriteRecoveryCopy);
    QObject::connect(&form, &QObject::destroyed, [] { editor = nullptr; });
    timer->start(kEveryMs);
}

void WriteRecoveryCopy() {
    if (!changed()) return forget();
    const QString copy = RecoveryCopyPath(macroPath());
    if (copy != written) forget();
    if (platform::WriteFileAtomically(copy, macroBytes())) written = copy;
}

void RemoveRecoveryCopy() { forget(); }

void OfferRecoveryCopies() {
    if (!editor) return;
    QStringList macros{kNewMacro};
    const platform::IniFile recents(platform::programFile(QStringLiteral("config.ini")));
    for (int slot = 0; slot < 10; ++slot)
        if (const QString path = recents.ReadString("Recents", QStringLiteral("Recents%1").arg(slot), QString());
            !path.isEmpty())
            macros << path;
    for (const QString& macro : macros) {
        const QString copy = RecoveryCopyPath(macro);
        const QFileInfo info(copy);
        if (!info.isFile()) continue;
        const QString name = macro == kNewMacro ? kNewMacro : QFileInfo(macro).fileName();
        const int answer = MessageDlg(
            QStringLiteral("Orvanel ne s'est pas terminé normalement : une copie de récupération de « %1 » a été "
                           "enregistrée le %2. Voulez-vous la rouvrir ?")
                .arg(name, info.lastModified().toString(kShortDateFormat + QStringLiteral(" 'à' ") + kLongTimeFormat)),
            MsgType::Confirmation, mbYes | mbNo);
        if (answer == mrYes) restore(macro, copy);
        QFile::remove(copy);
        if (answer == mrYes) return WriteRecoveryCopy();
    }
}
