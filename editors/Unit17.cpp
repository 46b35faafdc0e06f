#include "editors/Unit17.h"

#include "core/HelpContext.h"
#include "core/RunControl.h"
#include "core/Services.h"
#include "core/Unit1.h"
#include "editors/Unit16.h"
#include "engine/mdlfnct.h"
#include "look/UBackGround.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

template <class W>
W* named(W* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

QString handleText(quint64 w) { return QString::number(w); }

}  // namespace

TForm17::TForm17(QWidget* parent) : TForm(17, u"Liste Objet"_s, parent) {
    Image1 = named(new QLabel(this), u"Image1"_s);
    Image1->setFixedHeight(12);
    Image1->setScaledContents(true);
    Label1 = named(new QLabel(u"Classe recherchée"_s, this), u"Label1"_s);
    Label1->setWordWrap(true);
    Edit1 = named(new QLineEdit(this), u"Edit1"_s);
    SpeedButton1 = named(new QToolButton(this), u"SpeedButton1"_s);
    SpeedButton1->setText(u"Actualiser"_s);
    SpeedButton1->setToolTip(u"Rechercher "_s);
    ListView1 = named(new QTreeWidget(this), u"ListView1"_s);
    ListView1->setHeaderLabels({u"Handle"_s, u"Classe"_s, u"Texte"_s});
    ListView1->setColumnWidth(1, 120);
    ListView1->header()->setStretchLastSection(true);
    ListView1->header()->setSectionsClickable(true);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Label2 = named(new QLabel(u"Informations détaillées"_s, this), u"Label2"_s);
    Memo1 = named(new QPlainTextEdit(this), u"Memo1"_s);
    Memo1->setReadOnly(true);
    Memo1->setMaximumHeight(130);
    Button1 = named(new QPushButton(u"Sélectionner"_s, this), u"Button1"_s);
    Button1->setEnabled(false);
    Button2 = named(new QPushButton(u"Annuler"_s, this), u"Button2"_s);
    Button3 = named(new QPushButton(u"Supp"_s, this), u"Button3"_s);
    Button3->hide();
    Button4 = named(new QPushButton(u"Ajouter"_s, this), u"Button4"_s);
    StatusBar1 = named(new QStatusBar(this), u"StatusBar1"_s);
    StatusBar1->setSizeGripEnabled(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Image1, 0, 0, 1, 3);
    grid->addWidget(Label1, 1, 0, 1, 3);
    grid->addWidget(Edit1, 2, 0, 1, 2);
    grid->addWidget(SpeedButton1, 2, 2);
    grid->addWidget(ListView1, 3, 0, 1, 3);
    grid->addWidget(Label2, 4, 0, 1, 3);
    grid->addWidget(Memo1, 5, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button4);
    buttons->addStretch(1);
    buttons->addWidget(Button3);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    grid->addLayout(buttons, 6, 0, 1, 3);
    grid->addWidget(StatusBar1, 7, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(3, 1);
    resize(460, 440);
    Image1->resize(width(), Image1->height());
    UBackGround::DrawBanner(Image1);

    connect(SpeedButton1, &QToolButton::clicked, this, &TForm17::SpeedButton1Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &TForm17::SpeedButton1Click);
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, &TForm17::ListView1Click);
    connect(ListView1, &QTreeWidget::itemActivated, this, &TForm17::ListView1Click);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, &TForm17::ListView1ColumnClick);
    connect(Button1, &QPushButton::clicked, this, &TForm17::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm17::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm17::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm17::Button4Click);
    InstallFormHelp(this);
}

bool TForm17::choosing() const { return Button1->isEnabled(); }

void TForm17::RechercherObjet1Click() {
    if (!isVisible()) editModeFound_ = RowEditing().modifying;
    StatusBar1->clearMessage();
    ClassFilter.clear();
    Edit1->show();
    SpeedButton1->show();
    Label1->setText(u"Classe recherchée"_s);
    Memo1->clear();
    if (!isVisible()) PlaceNear(*this, Form1);
    show();
    raise();
    activateWindow();
}

void TForm17::ShowChoice(const QVector<quint64>& windows) {
    if (!isVisible()) editModeFound_ = RowEditing().modifying;
    ListView1->clear();
    Memo1->clear();
    for (quint64 w : windows) addRow(w);
    ChoiceDone = false;
    Chosen = 0;
    if (!isVisible()) PlaceNear(*this, Form1);
    show();
    Button1->setEnabled(true);
    Edit1->hide();
    SpeedButton1->hide();
    Label1->setText(u"Sélectionnez un Objet parmis la liste ci-dessous, puis cliquez sur le bouton sélectionner."_s);
    StatusBar1->clearMessage();
    raise();
    activateWindow();
    ListView1->setFocus();
}

void TForm17::addRow(quint64 w) {
    auto* row = new QTreeWidgetItem(ListView1, {handleText(w), mdlfnct::GetWindowClass(w), mdlfnct::GetWindowCaption(w)});
    row->setData(0, Qt::UserRole, w);
}

quint64 TForm17::selectedWindow() const {
    const QList<QTreeWidgetItem*> rows = ListView1->selectedItems();
    return rows.isEmpty() ? 0 : rows.first()->data(0, Qt::UserRole).toULongLong();
}

// Every window whose class begins with the filter (any letter case), the
// program's own windows left out.
void TForm17::SpeedButton1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    platform::Platform& d = platform::desktop();
    const qint64 ownProcess = QCoreApplication::applicationPid();
    ClassFilter = Edit1->text();
    ListView1->setUpdatesEnabled(false);
    ListView1->clear();
    Memo1->clear();
    for (quint64 top : d.EnumWindows()) {
        for (quint64 w : QVector<quint64>{top} + d.EnumChildWindows(top)) {
            if (d.GetWindowThreadProcessId(w) == ownProcess) continue;
            if (mdlfnct::GetWindowClass(w).startsWith(ClassFilter, Qt::CaseInsensitive)) addRow(w);
        }
    }
    Button3Click();
    ListView1->setUpdatesEnabled(true);
    if (!choosing()) StatusBar1->showMessage(u"Nombre d'objet listé : %1"_s.arg(ListView1->topLevelItemCount()));
    QApplication::restoreOverrideCursor();
    QCoreApplication::processEvents();
}

void TForm17::Button3Click() {
    QStringList named;
    const TListView* list = Form1->ListView1;
    for (int r = 0; r < list->count(); ++r)
        if (list->keyword(r) == u"Objet"_s) named << SplitFields(list->params(r), ParamSeparator())[1];
    for (int i = ListView1->topLevelItemCount(); i-- > 0;)
        if (named.contains(ListView1->topLevelItem(i)->text(0))) delete ListView1->takeTopLevelItem(i);
}

// Read live from the window: one that has gone shows empty texts and a zero size.
void TForm17::ListView1Click() {
    const quint64 w = selectedWindow();
    if (!w) return;
    platform::Platform& d = platform::desktop();
    QRect rect;
    if (!d.GetWindowRect(w, rect)) rect = QRect();
    const quint64 parent = d.GetParent(w);
    Memo1->setPlainText(QStringList{u"Module : "_s + mdlfnct::GetWindowExeName(w),
                                    u"Handle : "_s + handleText(w),
                                    u"Classe : "_s + mdlfnct::GetWindowClass(w),
                                    u"Classe parent : "_s + (parent ? mdlfnct::GetWindowClass(parent) : QString()),
                                    u"Longueur : "_s + QString::number(rect.width()),
                                    u"Largeur : "_s + QString::number(rect.height()),
                                    u"Texte : "_s + mdlfnct::GetWindowCaption(w)}
                            .join(u'\n'));
}

// The first click on a column sorts it ascending, the next one descending...
void TForm17::ListView1ColumnClick(int column) {
    SortColumn = column;
    QList<QTreeWidgetItem*> rows;
    while (ListView1->topLevelItemCount()) rows << ListView1->takeTopLevelItem(0);
    std::stable_sort(rows.begin(), rows.end(), [this](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        const int order = QString::localeAwareCompare(a->text(SortColumn), b->text(SortColumn));
        return SortDescending ? order > 0 : order < 0;
    });
    ListView1->addTopLevelItems(rows);
    SortDescending = !SortDescending;
}

// The run's "Objet" command writes the window chosen into its row.
void TForm17::Button1Click() {
    if (ListView1->selectedItems().isEmpty() && ListView1->topLevelItemCount() > 0)
        ListView1->topLevelItem(0)->setSelected(true);
    const quint64 w = selectedWindow();
    if (!w) return;  // an empty list: the run keeps waiting
    Chosen = w;
    ChoiceDone = true;
    close();
}

void TForm17::Button2Click() {
    if (choosing() && !ChoiceDone) {
        ChoiceDone = true;
        stopRun();
    }
    ClassFilter.clear();
    ListView1->clear();
    Memo1->clear();
    close();
}

void TForm17::Button4Click() {
    const quint64 w = selectedWindow();
    if (!w) return;
    Form16->ShowForAdd();
    Form16->LoadWindowChain(w);
}

void TForm17::stopRun() {
    ClassFilter.clear();
    Services().Run().Stop1Click();
}

// Choice mode closed without a choice (close box, Esc) stops the run.
void TForm17::closeEvent(QCloseEvent* e) {
    if (choosing() && !ChoiceDone) {
        ChoiceDone = true;
        stopRun();
    }
    RowEditing().modifying = editModeFound_;
    ListView1->setToolTip(QString());
    Edit1->clear();
    ListView1->clear();
    Button1->setEnabled(false);
    e->accept();
}

void TForm17::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) return void(close());
    TForm::keyPressEvent(e);
}
