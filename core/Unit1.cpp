#include "core/Unit1.h"

#include "core/BalloonTip.h"
#include "core/CrashReport.h"
#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/Services.h"
#include "core/Settings.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMenuBar>
#include <QStatusBar>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

TForm1* Form1 = nullptr;

namespace {
QAction* newAction(QMenu* menu, const QString& name, const QString& text, const QKeySequence& key = {}) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    return a;
}
}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    resize(800, 560);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    PageControl2 = new QTabWidget(central);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    PageControl2->setMaximumHeight(70);
    for (const QString& page : {QStringLiteral("Standard"), QStringLiteral("Supplément")}) {
        auto* sheet = new QWidget(PageControl2);
        PageControl2->addTab(sheet, page);
    }
    layout->addWidget(PageControl2);

    // The command detail panel at the left of the list and the lower tabs.
    Splitter2 = new QSplitter(Qt::Horizontal, central);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    buildDetailPanel();
    auto* split = new QSplitter(Qt::Vertical, Splitter2);
    split->setObjectName(QStringLiteral("Splitter1"));
    ListView1 = new TListView(split);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->tag = 999;
    // The lower tabs: check list, report, watch list, history... each topic adds its own.
    PageControl1 = new QTabWidget(split);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = new QWidget(PageControl1);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Contrôle commande"));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    Splitter2->setStretchFactor(1, 1);
    Splitter2->setSizes({180, 620});
    layout->addWidget(Splitter2, 1);
    setCentralWidget(central);

    buildMenus();
    buildStatusBar();
    buildStartupUi();
    buildFilesUi();
    buildListToolBar();
    buildEditingUi();
    buildCheckUi();
    buildDescriptionUi();
    OpenDialog2 = new TFileDialog(this, TFileDialog::Open, QStringLiteral("OpenDialog2"));
    InstallCrashHandler(this);

    connect(ListView1, &TListView::deletion, this, &TForm1::ListView1Deletion);
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TForm1::UpdateLinePanel);
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TForm1::UpdateListButtons);
    connect(ListView1, &QAbstractItemView::doubleClicked, this, [this] { ListView1DblClick(); });
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(ListView1->viewport()->mapToGlobal(p)); });
}

TForm1::~TForm1() {
    delete BalloonTip.data();
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::buildMenus() {
    MenuFichier = menuBar()->addMenu(QStringLiteral("&Fichier"));
    MenuEdition = menuBar()->addMenu(QStringLiteral("&Edition"));
    MenuMode = menuBar()->addMenu(QStringLiteral("&Mode"));
    MenuExecuter = menuBar()->addMenu(QStringLiteral("E&xecuter"));
    MenuOutils = menuBar()->addMenu(QStringLiteral("&Outils"));
    MenuAide = menuBar()->addMenu(QStringLiteral("&Aide"));
    QMenu* file = MenuFichier;
    Nouveau1 = newAction(file, QStringLiteral("Nouveau1"), QStringLiteral("Nouveau"), QKeySequence(Qt::CTRL | Qt::Key_N));
    file->addSeparator();
    Quitter1 = newAction(file, QStringLiteral("Quitter1"), QStringLiteral("Quitter"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = MenuEdition;
    Editer1 = newAction(edit, QStringLiteral("Editer1"), QStringLiteral("Editer"), QKeySequence(Qt::Key_F2));
    Supprimer1 = newAction(edit, QStringLiteral("Supprimer1"), QStringLiteral("Supprimer"), QKeySequence(Qt::Key_Delete));

    QMenu* mode = MenuMode;
    Edition2 = newAction(mode, QStringLiteral("Edition2"), QStringLiteral("Edition"));
    Insertion1 = newAction(mode, QStringLiteral("Insertion1"), QStringLiteral("Insertion"));
    Edition2->setCheckable(true);
    Insertion1->setCheckable(true);
    Insertion1->setChecked(true);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Monterdunniveau1 = newAction(PopupMenu1, QStringLiteral("Monterdunniveau1"), QStringLiteral("Monter d'un niveau"),
                                 QKeySequence(Qt::CTRL | Qt::Key_Up));
    Descendredunniveau1 = newAction(PopupMenu1, QStringLiteral("Descendredunniveau1"),
                                    QStringLiteral("Descendre d'un niveau"), QKeySequence(Qt::CTRL | Qt::Key_Down));
    addActions({Monterdunniveau1, Descendredunniveau1});  // shortcuts work without the pop-up open

    connect(Nouveau1, &QAction::triggered, this, &TForm1::Nouveau1Click);
    connect(Quitter1, &QAction::triggered, this, &QWidget::close);
    connect(Editer1, &QAction::triggered, this, &TForm1::Editer1Click);
    connect(Supprimer1, &QAction::triggered, this, &TForm1::Supprimer1Click);
    connect(Monterdunniveau1, &QAction::triggered, this, &TForm1::Monterdunniveau1Click);
    connect(Descendredunniveau1, &QAction::triggered, this, &TForm1::Descendredunniveau1Click);
    connect(Edition2, &QAction::triggered, this, &TForm1::Edition2Click);
    connect(Insertion1, &QAction::triggered, this, &TForm1::Insertion1Click);
}

void TForm1::buildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 4; ++i) {
        StatusPanel[i] = new QLabel(this);
        StatusPanel[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        statusBar()->addWidget(StatusPanel[i], i == 0 ? 1 : 0);
    }
    StatusPanel[0]->setText(QStringLiteral("Nouvelle macro"));
    StatusPanel[3]->setText(QStringLiteral("Ligne 0/0"));
    // The language badge: white on navy.
    StatusPanel[2]->setStyleSheet(QStringLiteral("QLabel { background: #000080; color: white; padding: 0 3px; }"));
    StatusPanel[2]->setAlignment(Qt::AlignCenter);
    connect(&settingsNotifier(), &TSettingsNotifier::loaded, this, &TForm1::UpdateStatusPanels);
}

QToolButton* TForm1::PaletteButton(int number) const {
    return PageControl2->findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(number));
}

void TForm1::UpdateLinePanel() {
    const int row = ListView1->selectedIndex();
    StatusPanel[3]->setText(QStringLiteral("Ligne %1/%2").arg(row < 0 ? 0 : row + 1).arg(ListView1->count()));
}

void TForm1::Editer1Click() {
    const int row = ListView1->selectedIndex();
    if (row < 0) return;
    EditMode = true;
    PreviousParams = ListView1->params(row);
    if (!Services().EditRow(ListView1->keyword(row))) EditMode = false;  // nothing opened
}

void TForm1::ListView1DblClick() {
    if (ListView1->selectedIndex() >= 0) Editer1->setEnabled(true);
    Editer1->trigger();
}
