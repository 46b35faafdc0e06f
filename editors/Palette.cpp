// The command palette of the main window and the edit entry: which dialog
// opens for each palette button and for each row keyword (the command table's
// "form" column).
#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/CommandNames.h"
#include "core/Form.h"
#include "core/History.h"
#include "core/Services.h"
#include "core/Unit1.h"
#include "editors/CommandDialog.h"
#include "editors/Palette.h"
#include "editors/Unit2.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QFileInfo>
#include <QTabWidget>
#include <QToolButton>

namespace {

// The edit entry of a keyword the command table does not have.
constexpr std::pair<const char16_t*, int> kOtherEditors[] = {{u"Outil Son", 27}};

QString text(const char16_t* s) { return QString::fromUtf16(s); }

// Opens a command dialog for adding (row < 0) or for modifying that row. A
// form that is not a command dialog yet says so and nothing is written.
TCommandDialog* openDialog(int form, const QString& keyword, int row) {
    if (TCommandDialog* dialog = CommandDialog(form)) {
        if (row >= 0)
            dialog->ShowForModify(row);
        else
            dialog->ShowForAdd(keyword);
        return dialog;
    }
    if (row >= 0) RowEditing().modifying = false;
    const QWidget* w = Window(form);
    MessageDlg(QStringLiteral("La fenêtre « %1 » n'est pas encore disponible dans cette version de Orvanel : %2")
                   .arg(w ? w->windowTitle() : keyword,
                        row >= 0 ? QStringLiteral("la commande reste inchangée.")
                                 : QStringLiteral("aucune commande n'est ajoutée.")),
               MsgType::Information, mbOK);
    return nullptr;
}

// The Execute dialog's browse button starts from the row's file, on a filter
// that lists it: programs are the files that may be executed.
void prepareExecuteFile(TForm1* f, int row) {
    TFileDialog* d = f->OpenDialog2;
    d->Filter = QStringLiteral("Exécutable et macro|%1;*.mcr|Exécutable|%1|Macro|*.mcr|Tous|*.*").arg(kRunnableFiles);
    d->FilterIndex = 1;
    d->FileName.clear();
    if (row < 0) return;
    const QFileInfo file(f->ListView1->params(row));
    if (file.isFile()) d->FileName = file.filePath();
    d->FilterIndex = file.isFile() && file.isExecutable() ? 1 : file.suffix().toLower() == QLatin1String("mcr") ? 3 : 4;
}

// "Inclusion": the row's file is changed through the open dialog.
void editInclusion(TForm1* f, int row) {
    TFileDialog* d = f->OpenDialog2;
    const QString path = f->ListView1->params(row);
    d->Filter = QStringLiteral("Macro|*.mcr|Tous les fichiers|*.*");
    d->FilterIndex = QFileInfo(path).suffix() == QLatin1String("mcr") ? 1 : 2;
    d->FileName = path;
    if (d->Execute() && FitsInRow(d->FileName)) {
        f->ListView1->setParams(row, d->FileName);
        f->SaveBeforeChange(row);
    }
    RowEditing().modifying = false;
}

// The Inclusion button: a macro file, or a text file in another language
// whose extension a linkage file of the program folder names.
void addInclusion(TForm1* f) {
    QString patterns = QStringLiteral("*.mcr");
    const QDir folder(platform::programFolder());
    for (const QString& name : folder.entryList({QStringLiteral("*.OtherLangEditor")}, QDir::Files))
        patterns += u';' + platform::IniFile(folder.filePath(name))
                               .ReadString(QStringLiteral("General"), QStringLiteral("TypeFileExt"),
                                           QStringLiteral("*.Unknow"));
    TFileDialog* d = f->OpenDialog2;
    d->Filter = QStringLiteral("Macro|*.mcr|Extensions reconnues (%1)|%1|Tous les fichiers|*.*").arg(patterns);
    d->FilterIndex = 2;
    d->FileName.clear();
    if (!d->Execute() || !FitsInRow(d->FileName)) return;
    const EditModeAs add(false);  // a dialog may be modifying a row meanwhile
    f->add_insert(QStringLiteral("Inclusion"), d->FileName, 29);
}

// What a palette button does; the dialog it opened, if any.
TCommandDialog* paletteClick(TForm1* f, const CommandInfo& c) {
    const QString keyword = text(c.keyword);
    if (c.id == Command::Quitter) {
        const EditModeAs add(false);  // a dialog may be modifying a row meanwhile
        f->add_insert(keyword, QString(), c.icon);
        return nullptr;
    }
    if (c.id == Command::Inclusion) {
        addInclusion(f);
        return nullptr;
    }
    if (c.id == Command::Execute) prepareExecuteFile(f, -1);
    TCommandDialog* dialog = openDialog(c.form, keyword, -1);
    if (dialog) dialog->OpenedFromPalette();
    return dialog;
}

// "Inserer un commentaire" of the command list's menu: the comment dialog, for adding.
void addCommentItem(TForm1& form) {
    auto* item = form.PopupMenu1->findChild<QAction*>(QStringLiteral("Insereruncommentaire1"));
    if (!item) {
        item = new QAction(QStringLiteral("Inserer un commentaire"), form.PopupMenu1);
        item->setObjectName(QStringLiteral("Insereruncommentaire1"));
        form.PopupMenu1->addAction(item);
    }
    QObject::connect(item, &QAction::triggered, &form,
                     [] { ShowCommandDialog(text(CommandLine(int(Command::Commentaire)).keyword)); });
}

// The dialog of a row keyword for the edit entry; 0 none.
int editorForm(const QString& keyword) {
    if (const int c = CommandCase(keyword)) return CommandLine(c).form;
    for (const auto& [other, form] : kOtherEditors)
        if (keyword == text(other)) return form;
    return 0;
}

}  // namespace

void ShowCommandDialog(const QString& keyword, const QString& preset) {
    const int c = CommandCase(keyword);
    if (c == 0) return;
    const CommandInfo& line = CommandLine(c);
    TCommandDialog* dialog = line.page == PalettePage::None ? openDialog(line.form, keyword, -1)
                                                            : paletteClick(Form1, line);
    if (dialog && !preset.isEmpty()) dialog->Preset(preset);
}

void EditSelectedRow(const QString& keyword) {
    TForm1* f = Form1;
    const int row = f->ListView1->selectedIndex();
    if (row < 0) {
        RowEditing().modifying = false;
        return;
    }
    if (keyword == QLatin1String("Inclusion")) return editInclusion(f, row);
    if (const int form = editorForm(keyword)) {
        if (form == 26) prepareExecuteFile(f, row);
        openDialog(form, keyword, row);
        return;
    }
    if (!Services().EditPluginRow(row)) RowEditing().modifying = false;
}

void OpenDialogForAdding(const QString& keyword) {
    if (const int form = editorForm(keyword)) openDialog(form, keyword, -1);
}

void BuildPalette(TForm1& form) {
    for (int page : {0, 1}) form.PageControl2->widget(page)->setMinimumHeight(38);  // room for a row of buttons
    for (const CommandInfo& c : kCommands) {
        if (c.page == PalettePage::None) continue;
        auto* b = new QToolButton(form.PageControl2->widget(int(c.page)));
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(c.button));
        b->setToolTip(text(c.hint));
        b->setIcon(CommandIcons::icon(c.icon));
        b->setIconSize(QSize(24, 24));
        b->setAutoRaise(true);
        b->setGeometry(4 + c.place * 32, 4, 30, 30);
        QObject::connect(b, &QToolButton::clicked, &form, [&form, &c] { paletteClick(&form, c); });
    }
    addCommentItem(form);
    InstallDialogBackgrounds();
}
