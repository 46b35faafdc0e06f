#include "tools/Unit33.h"

#include "core/FileDialog.h"
#include "core/HelpContext.h"
#include "core/Named.h"
#include "core/Services.h"
#include "core/Unit1.h"
#include "core/Waits.h"
#include "look/UBackGround.h"
#include "tools/Export.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>

unsigned char ExportWizardResult = 0;

using namespace Qt::StringLiterals;

namespace {

constexpr int kIndentRole = Qt::UserRole;

// Rows whose texts are never file names to pack.
bool namesNoFile(const QString& keyword) { return keyword == u"Label" || keyword == u"Goto" || keyword == u"Type"; }

// A field the row only writes to: the file of "Ecrire", the result of a file
// search, a screen capture. The exported program writes there as the macro did.
bool writesTo(const QString& keyword, const TParamFields& fields, int field) {
    if (keyword == u"Ecrire") return field == 1;
    if (keyword == u"Outil Ecran") return field == 2;
    if (keyword == u"Outil Fichier") return fields[1] == u"Rechercher" && field == 4;
    return false;
}

// The menu entry of the main window's "Macro" menu, made once.
QAction* exportMenuItem() {
    if (!Form1.made() || !Form1->MenuFichier) return nullptr;
    if (auto* made = Form1->findChild<QAction*>(u"Exporterversexecutable1"_s)) return made;
    auto* item = new QAction(u"Exporter vers exécutable"_s, Form1);
    item->setObjectName(u"Exporterversexecutable1"_s);
    Form1->MenuFichier->addAction(item);
    return item;
}

}  // namespace

TForm33::TForm33(QWidget* parent) : TForm(33, u"Ajout de fichiers supplèmentaires"_s, parent) {
    Image1 = Named(new QLabel(this), u"Image1"_s);
    Image1->setFixedHeight(12);
    Image1->setScaledContents(true);
    ListView1 = Named(new QTreeWidget(this), u"ListView1"_s);
    ListView1->setHeaderLabels({u"Fichier"_s});
    ListView1->setRootIsDecorated(false);
    ListView1->header()->setStretchLastSection(true);
    Button1 = Named(new QPushButton(u"Tout séléctionner"_s, this), u"Button1"_s);
    Button2 = Named(new QPushButton(u"Ajouter"_s, this), u"Button2"_s);
    Button3 = Named(new QPushButton(u"Valider"_s, this), u"Button3"_s);
    Button4 = Named(new QPushButton(u"Annuler"_s, this), u"Button4"_s);
    OpenDialog1 = new TFileDialog(this, TFileDialog::Open, u"OpenDialog1"_s);
    auto* grid = new QGridLayout(this);
    grid->addWidget(Image1, 0, 0, 1, 4);
    grid->addWidget(ListView1, 1, 0, 1, 4);
    grid->addWidget(Button1, 2, 0);
    grid->addWidget(Button2, 2, 1);
    grid->addWidget(Button3, 2, 2);
    grid->addWidget(Button4, 2, 3);
    grid->setRowStretch(1, 1);
    resize(480, 320);
    Image1->resize(width(), Image1->height());
    UBackGround::DrawBanner(Image1);
    connect(Button1, &QPushButton::clicked, this, &TForm33::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm33::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm33::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm33::Button4Click);
    SetHelpContext(this, 1171);
    InstallFormHelp(this);
}

void InstallExportMenu() {
    if (QAction* item = exportMenuItem()) QObject::connect(item, &QAction::triggered, item, [] { Exporterversexecutable1Click(); });
}

void TForm33::AddExportFile(const QString& path, int indent, bool checked) {
    auto* item = new QTreeWidgetItem(ListView1, {path});
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    item->setData(0, kIndentRole, indent);
}

bool TForm33::CollectExportFiles(TListView* list) {
    if (!list) list = Form1->ListView1;
    ListView1->clear();
    // Each file once, in the order the rows name it; packed (checked) when some row reads it.
    QStringList files;
    QSet<QString> read;
    for (const MacroCommand& row : list->items().rows()) {
        if (namesNoFile(row.keyword)) continue;
        const TParamFields fields = TForm1::GetParam(row.params);
        for (int j = 1; j < fields.Count; ++j) {
            const QString& f = fields[j];
            const QFileInfo info(f);
            if (f.isEmpty() || !info.isFile() || info.suffix() == u"exe") continue;
            if (!files.contains(f)) files << f;
            if (!writesTo(row.keyword, fields, j)) read << f;
        }
    }
    for (const QString& f : std::as_const(files)) AddExportFile(f, 0, read.contains(f));
    Services().ShowModal(*this);
    if (EndRequested()) ExportWizardResult = 3;  // the program is ending: nothing is exported
    return ExportWizardResult != 3;
}

bool TForm33::IsExportFileSelected(const QString& path) const {
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = ListView1->topLevelItem(i);
        if (item->text(0) == path && item->checkState(0) == Qt::Checked) return true;
    }
    return false;
}

void TForm33::Button1Click() {
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) ListView1->topLevelItem(i)->setCheckState(0, Qt::Checked);
}

void TForm33::Button2Click() {
    if (OpenDialog1->Execute() && !OpenDialog1->FileName.isEmpty()) AddExportFile(OpenDialog1->FileName, 1);
}

void TForm33::Button3Click() {
    ExportWizardResult = 2;
    close();
}

void TForm33::Button4Click() {
    ExportWizardResult = 3;
    close();
}

void TForm33::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) Button3Click();
    else if (event->key() == Qt::Key_Escape) Button4Click();
    else TForm::keyPressEvent(event);
}
