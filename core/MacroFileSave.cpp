// Macro files: the writer and its menu entries, the password menu entry and
// the progress window of the readers.
#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/FileSave.h"
#include "core/IgnoreMsg.h"
#include "core/MacroFile.h"
#include "core/MacroFileLoad.h"
#include "core/Inclusions.h"
#include "core/Unit1.h"
#include "core/Unit32.h"
#include "core/WatchList.h"
#include "core/ProcessPriority.h"
#include "core/Unit29.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QRandomGenerator>

using namespace macrofile;

bool TForm1::SaveMacro(TListView* list) {
    if (!list) list = ListView1;
    if (SaveDialog1->FileName.isEmpty()) return Enregistersous1Click();
    // Expanded inclusions are written folded; outside a run the list folds back too.
    const bool expanded = list == ListView1 && !Macro->Includes.isEmpty();
    const bool idle = RunState().Idle();
    if (expanded && idle) UnloadInclusions();
    const QVector<MacroCommand> rows = expanded && !idle ? FoldedRows(*Macro) : list->items().rows();
    const QString fileName = SaveDialog1->FileName;
    const int count = int(rows.size());
    const int infoAt = count > 1 ? int(QRandomGenerator::global()->bounded(count - 1)) : 0;
    if (fileName.endsWith(QLatin1String(".mcr"))) AddRecents(fileName);
    const QFileInfo info(fileName);
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner)) {
        MessageDlg(QStringLiteral("Ce fichier est en lecture seule, veuillez enregister le fichier sous un autre nom, "
                                  "ou supprimer cette propriété."),
                   MsgType::Warning, mbOK);
        return false;
    }

    // The password goes before a command row: an empty macro is written without
    // it, and then nothing else is encoded either, so that it reads back.
    const bool encode = !OpenMacroFile().password.isEmpty() && count > 0;
    QByteArray out;
    out.reserve(qsizetype(count + 2) * TMacroFileRecord::kSize);
    for (int i = 0; i < count; ++i) {
        if (i == infoAt && encode) {
            out += TMacroFileRecord{QStringLiteral("Info"), OpenMacroFile().password}.toBytes(true);
            out += TMacroFileRecord{QStringLiteral("Infos"), BoolToText(OpenMacroFile().protectSourceOnly)}.toBytes(true);
        }
        out += TMacroFileRecord{rows[i].keyword, rows[i].params}.toBytes(encode);
    }
    for (const QString& name : WatchedNames(*this))
        out += TMacroFileRecord{QStringLiteral("Évaluer"), name}.toBytes(encode);
    for (const TIgnoreMsg& m : std::as_const(TTabIgnoreMsg))
        if (m.StillPresent) out += TMacroFileRecord{QStringLiteral("IgnoreMsg"), m.Origin + u'~' + m.Message}.toBytes(encode);
    if (ProcessPriority != 3 &&
        MessageDlg(QStringLiteral("Votre macro n'est pas en priorité normal, voulez vous sauvegarder ce paramètre ?"),
                   MsgType::Confirmation, mbYes | mbNo) == mrYes)
        out += TMacroFileRecord{QStringLiteral("[Process Priority]"), QString::number(qMin(ProcessPriority, 5))}.toBytes(encode);

    if (!SaveFile(fileName, out)) return false;  // the old file stays whole
    if (list == ListView1) {
        StatusPanel[0]->setText(info.absoluteFilePath());
        QApplication::setApplicationName(info.fileName());
        setWindowTitle(GetStateCaption());
        OpenMacroFile().modified = false;
    }
    return true;
}

bool TForm1::Enregistrer1Click() {
    const bool saved = SaveMacro(nullptr);
    refreshStatusBar(*this);
    return saved;
}

bool TForm1::Enregistersous1Click() {
    SaveDialog1->Filter = QStringLiteral("Macro|*.mcr|Tous|*.*");
    return SaveDialog1->Execute() && !SaveDialog1->FileName.isEmpty() && Enregistrer1Click();
}

void TForm1::Crypter1Click() {
    Form32->Mode = 0;
    Form32->show();
}

namespace macrofile {

LoadProgress::LoadProgress(int count, int threshold, const QString& text) {
    if (count <= threshold || text.isEmpty()) return;
    TForm29* progress = Form29;  // null where no window is made (no editor)
    if (!progress) return;
    shown_ = true;
    step_ = qMax(1, count / 100);
    progress->Label1->setText(text);
    progress->ProgressBar1->setRange(0, 100);
    progress->ProgressBar1->setValue(0);
    progress->ShowProgress(true);  // Esc in it stops the load
    QApplication::processEvents();
}

LoadProgress::~LoadProgress() {
    if (shown_) Form29->close();
}

bool LoadProgress::reach(int done) {
    Form29->ProgressBar1->setValue(qMin(100, done / step_));
    QApplication::processEvents();
    return Form29->Cancelled;
}

}  // namespace macrofile
