// Macro files: the general loader, File > Open, the change test and the
// question before leaving a macro. The writer is in MacroFileSave.cpp.
#include "core/MacroFile.h"

#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/History.h"
#include "core/MessageTexts.h"
#include "core/IgnoreMsg.h"
#include "core/Inclusions.h"
#include "core/MacroFileLoad.h"
#include "core/Unit1.h"
#include "core/Unit32.h"
#include "core/WatchList.h"
#include "core/Helpers.h"
#include "core/ProcessPriority.h"
#include "core/Services.h"
#include "core/Settings.h"
#include "platform/AtomicFile.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QTextEdit>

TOpenMacroFile& OpenMacroFile() {
    static TOpenMacroFile file;
    return file;
}

TStartMode& StartMode() {
    static TStartMode mode;
    return mode;
}

namespace {
const QString kLoadingText = QStringLiteral("Chargement des commandes en cours. Veuillez patienter SVP.");

// The list's rows are not repainted while a load works.
struct ListUpdate {
    TListView* list;
    explicit ListUpdate(TListView* l) : list(l) { list->setUpdatesEnabled(false); }
    ~ListUpdate() { list->setUpdatesEnabled(true); }
};

bool isMacroExtension(const QString& fileName, bool sqcToo) {
    return fileName.toLower().endsWith(QLatin1String(".mcr")) || (sqcToo && fileName.endsWith(QLatin1String(".sqc")));
}
}  // namespace

void TForm1::buildFilesUi() {
    OpenDialog1 = new TFileDialog(this, TFileDialog::Open, QStringLiteral("OpenDialog1"));
    SaveDialog1 = new TFileDialog(this, TFileDialog::Save, QStringLiteral("SaveDialog1"));
    SaveDialog1->DefaultExt = QStringLiteral("mcr");
    QAction* before = MenuFichier->actions().value(1);  // after "Nouveau"
    auto item = [&](const char* name, const QString& text, const QKeySequence& key) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        MenuFichier->insertAction(before, a);
        return a;
    };
    Ouvrir1 = item("Ouvrir1", QStringLiteral("Ouvrir"), QKeySequence(Qt::CTRL | Qt::Key_O));
    Enregistrer1 = item("Enregistrer1", QStringLiteral("Enregistrer"), QKeySequence(Qt::CTRL | Qt::Key_S));
    Enregistersous1 = item("Enregistersous1", QStringLiteral("Enregistrer sous..."), QKeySequence());
    Crypter1 = item("Crypter1", QStringLiteral("Protéger par un mot de passe"), QKeySequence());
    connect(Ouvrir1, &QAction::triggered, this, &TForm1::Ouvrir1Click);
    connect(Enregistrer1, &QAction::triggered, this, &TForm1::Enregistrer1Click);
    connect(Enregistersous1, &QAction::triggered, this, &TForm1::Enregistersous1Click);
    connect(Crypter1, &QAction::triggered, this, &TForm1::Crypter1Click);
    buildWatchListUi(*this);
}

namespace macrofile {

void refreshStatusBar(TForm1& form) {
    form.UpdateStatusPanels();
    form.UpdateLinePanel();
}

// The macro now comes from fileName: status bar, titles and the save dialog.
// Saves of it that a kill cut short left their temporary files beside it.
void nameMacro(TForm1& form, const QString& fileName) {
    const QFileInfo info(fileName);
    platform::RemoveStrayTemporaryFiles(info.absolutePath());
    form.StatusPanel[0]->setText(info.absoluteFilePath());
    QApplication::setApplicationName(info.fileName());
    form.setWindowTitle(form.GetStateCaption());
    form.SaveDialog1->FileName = info.absoluteFilePath();
}

// Reads the records of data into opt.list; the special records go to their
// owners. Answers the command rows read.
int readRecords(TForm1* form, const TMacroFileData& data, const QString& password, const ReadOptions& opt) {
    const bool decode = !password.isEmpty();
    const int total = data.count();
    LoadProgress progress(total, opt.threshold, opt.statusText);
    QVector<MacroCommand> rows;
    rows.reserve(total);
    QVector<int> recordOfRow;  // the record each row came from, for the progress
    recordOfRow.reserve(total);
    for (int i = 0; i < total; ++i) {
        const char* bytes = data.at(i);
        // The password records; the caller takes them from the file as a whole.
        if (TMacroFileRecord::decodesTo(bytes, QLatin1StringView("Info")) ||
            TMacroFileRecord::decodesTo(bytes, QLatin1StringView("Infos")))
            continue;
        const bool asStored = !opt.decodeAlias && TMacroFileRecord::storedKeyword(bytes) == u"[ALIAS_EXE]";
        const TMacroFileRecord r = TMacroFileRecord::fromBytes(bytes, decode && !asStored);
        if (r.keyword == u"Évaluer") {
            if (opt.mainList && form) AddWatchRow(*form, r.params, QString());
        } else if (r.keyword == u"[Process Priority]") {
            // Only the six items of the list.
            if (mdlfnct::IsInteger(r.params) && r.params.trimmed().toInt() >= 0 && r.params.trimmed().toInt() <= 5)
                SetProcessPriority(r.params.trimmed().toInt());
        } else if (r.keyword == u"[ALIAS_EXE]") {
            if (opt.mainList) OpenMacroFile().aliasExe = r.params;
        } else if (r.keyword == u"IgnoreMsg") {
            if (opt.mainList) {
                const qsizetype tilde = r.params.indexOf(u'~');
                TTabIgnoreMsg.append({tilde < 0 ? QString() : r.params.left(tilde), r.params.mid(tilde + 1), false});
            }
        } else {
            rows.append({r.keyword, r.params, TForm1::GetImageIndex(r)});
            recordOfRow.append(i);
        }
    }

    // The rows go in by slices of one progress step; Esc keeps the rows read.
    TMacroDocument* list = opt.list;
    const int at = opt.position < 0 ? list->count() : qBound(0, opt.position, list->count());
    const int slice = progress.shown() ? qMax(1, progress.step()) : qMax(1, int(rows.size()));
    int done = 0;
    while (done < rows.size()) {
        const int n = qMin(slice, int(rows.size()) - done);
        list->insertRows(at + done, rows.mid(done, n));
        done += n;
        if (progress.shown()) {
            const int counted = opt.countEveryRecord ? recordOfRow[done - 1] + 1 : done;
            if (progress.reach(counted) && opt.escAborts) break;
        }
    }
    return done;
}

// Reads the file into data and says its warning; true when the rows may be
// read: the password was given, or the macro only runs and its source alone
// is protected.
bool readGranted(const QString& fileName, bool openMacro, TMacroFileData& data) {
    QString error;
    if (!data.load(fileName, &error)) {
        MessageDlg(error, MsgType::Error, mbOK);
        return false;
    }
    const QString warning = data.warning(fileName, openMacro);
    if (!warning.isEmpty()) MessageDlg(warning, MsgType::Warning, mbOK);
    // Source-only protection lets a macro run without its password, never open for editing.
    const bool forRun = !StartMode().editOnOpen && (StartMode().commandLineRun || RunState().ExecState != 0);
    const int granted = forRun && data.sourceOnly() ? 1 : Form32->AskPassword(data.password());
    if (granted == 0) MessageDlg(QStringLiteral("Mot de passe incorrect."), MsgType::Warning, mbOK);
    return granted == 1;
}

}  // namespace macrofile

using namespace macrofile;

int ReadMacroRows(const QString& fileName, TMacroDocument& doc, const QString& statusText, int position) {
    if (!QFileInfo::exists(fileName)) {
        MessageDlg(QStringLiteral("File not found (") + fileName + u')', MsgType::Error, mbOK);
        return 0;
    }
    TMacroFileData data;
    if (!readGranted(fileName, false, data)) return 0;
    const QString password = data.password();
    if (position < 0) doc.clear();
    ReadOptions opt;
    opt.list = &doc;
    opt.position = position;
    opt.threshold = StartMode().commandLineRun ? 1000 : 300;
    opt.statusText = statusText;
    return readRecords(nullptr, data, password, opt);
}

int TForm1::OpenFileMacro(const QString& fileName, TListView* list, const QString& statusText, int position) {
    if (!list) list = ListView1;
    // Replacing the main list opens another macro; anything else only reads rows.
    const bool openMacro = position < 0 && list == ListView1;
    const ListUpdate update(list);
    const HistoryPause history;  // off while the load works
    auto finish = [&](int rows) {
        refreshStatusBar(*this);
        LoadSettings();
        Services().ClearImageRefs();
        return rows;
    };
    if (!QFileInfo::exists(fileName)) {
        MessageDlg(QStringLiteral("File not found (") + fileName + u')', MsgType::Error, mbOK);
        return finish(0);
    }
    if (!isMacroExtension(fileName, true)) {
        if (list == ListView1) Nouveau1->trigger();
        Services().ImportOtherLangText(fileName, list);
        refreshStatusBar(*this);
        return 0;
    }
    TMacroFileData data;
    if (!readGranted(fileName, openMacro, data) || (openMacro && !SaveBeforeExit())) {
        refreshStatusBar(*this);
        return 0;
    }
    const QString password = data.password();
    if (position < 0) SetProcessPriority(3);  // after the save question: the old macro keeps its own
    OpenDialog1->FileName = fileName;
    QApplication::processEvents();

    if (openMacro) {
        AddRecents(fileName);
        ListView3->clear();
        TTabIgnoreMsg.clear();
        ResetHistory(QStringLiteral("Ouvrir"), fileName);
    }
    if (position < 0) {
        if (list == ListView1) Macro->Includes.clear();  // the rows it followed are gone
        list->clear();
    }
    ReadOptions opt;
    opt.list = &list->document();
    opt.position = position;
    opt.mainList = list == ListView1;
    opt.threshold = StartMode().commandLineRun ? 1000 : 300;
    opt.statusText = statusText;
    const int rows = readRecords(this, data, password, opt);

    if (openMacro) {
        OpenMacroFile().password = password;
        OpenMacroFile().protectSourceOnly = data.sourceOnly();
        nameMacro(*this, fileName);
    }
    if (position < 0 && !(list->objectName() == u"ListView1" && StartMode().commandLineRun)) ControlAll(list);
    return finish(rows);
}

void TForm1::Ouvrir1Click() {
    if (!SaveBeforeExit()) return;
    ListView1->hide();
    auto finish = [&] {
        refreshStatusBar(*this);
        ListView1->show();
        LoadSettings();
        Services().ClearImageRefs();
    };
    OpenDialog1->Filter = QStringLiteral("Macro|*.mcr|Texte|*.txt|Tous|*.*");
    OpenDialog1->FilterIndex = 1;
    if (!OpenDialog1->Execute()) return finish();
    const QString fileName = OpenDialog1->FileName;
    if (!isMacroExtension(fileName, false)) {
        Nouveau1->trigger();
        Services().ImportOtherLangText(fileName, nullptr);
        ListView1->show();
        return;
    }
    TMacroFileData data;
    QString error;
    if (!data.load(fileName, &error)) {
        MessageDlg(error, MsgType::Error, mbOK);
        ListView1->show();
        return;
    }
    const QString warning = data.warning(fileName, true);
    if (!warning.isEmpty()) MessageDlg(warning, MsgType::Warning, mbOK);
    const QString password = data.password();
    const int granted = Form32->AskPassword(password);
    if (granted == 0) MessageDlg(QStringLiteral("Mot de passe incorect."), MsgType::Warning, mbOK);
    if (granted != 1) {  // the open macro stays as it was, its password too
        ListView1->show();
        return;
    }

    SetProcessPriority(3);
    const ListUpdate update(ListView1);
    TTabIgnoreMsg.clear();
    AddRecents(fileName);
    Macro->Includes.clear();  // the rows it followed are gone
    ListView1->clear();
    ListView3->clear();
    ResetHistory(QStringLiteral("Ouvrir"), fileName);
    if (RichEdit1) RichEdit1->clear();
    nameMacro(*this, fileName);
    {
        const HistoryPause history;  // off while the load works
        ReadOptions opt;
        opt.list = Macro;
        opt.position = -1;
        opt.mainList = true;
        opt.decodeAlias = true;
        opt.escAborts = false;
        opt.countEveryRecord = true;
        opt.threshold = 300;
        opt.statusText = kLoadingText;
        readRecords(this, data, password, opt);
    }
    OpenMacroFile().password = password;
    OpenMacroFile().protectSourceOnly = data.sourceOnly();
    Select_unique(ListView1, -1);
    OpenMacroFile().modified = false;
    ControlAll(ListView1);
    finish();
}

bool TForm1::MacroChange() {
    const QString fileName = StatusPanel[0]->text();
    if (fileName.isEmpty() || fileName == u"Nouvelle macro") return false;
    // A file deleted meanwhile differs from the list; asking never writes it.
    if (!QFileInfo::exists(fileName)) return true;
    TMacroFileData data;
    if (!data.load(fileName, nullptr)) return true;
    const bool decode = !OpenMacroFile().password.isEmpty();
    // The parameters compared: "Objet" leaves out its first two fields, "Manipulation" its first.
    auto compared = [](const QString& keyword, const QString& params) {
        const int skip = keyword == u"Objet" ? 2 : keyword == u"Manipulation" ? 1 : 0;
        if (skip == 0) return params;
        const TParamFields f = GetParam(params);
        QString s;
        for (int i = skip + 1; i < f.Count && i <= 20; ++i) s += f[i] + ParamSeparator();
        return s;
    };
    const QVector<MacroCommand> rows = FoldedRows(*Macro);
    int next = 0;
    for (const MacroCommand& row : rows) {
        for (const char* skipped : {"Info", "Infos", "InfosExit"})
            while (next < data.count() && TMacroFileRecord::decodesTo(data.at(next), QLatin1StringView(skipped))) ++next;
        if (next >= data.count()) return true;
        const TMacroFileRecord r = data.record(next++, decode);
        const QString keyword = row.keyword.left(TMacroFileRecord::kKeywordSize);
        const QString params = row.params.left(TMacroFileRecord::kParamsSize);
        if (keyword != r.keyword) return true;
        if (compared(keyword, params) != compared(r.keyword, r.params)) return true;
    }
    for (; next < data.count(); ++next) {
        const QString keyword = data.record(next, decode).keyword;
        if (keyword != u"Évaluer" && keyword != u"IgnoreMsg" && keyword != u"[Process Priority]") return true;
    }
    return false;
}

bool TForm1::SaveBeforeExit() {
    if (StartMode().commandLineRun) return true;
    bool result = true;
    auto ask = [&] {
        const int answer = MessageDlg(MessageText(QStringLiteral("Form1"), QStringLiteral("Lng_SaveBeforeQuit")),
                                      MsgType::Confirmation, mbYes | mbNo | mbCancel);
        if (answer == mrCancel || (answer == mrYes && !Enregistrer1Click())) result = false;
    };
    OpenMacroFile().modified = MacroChange();
    if (OpenMacroFile().modified && ListView1->count() > 0) ask();
    if (result && ListView1->count() > 0 && StatusPanel[0]->text() == u"Nouvelle macro") ask();
    return result;
}
