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

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    AdoptWindow(1, this);
    setObjectName(QStringLiteral("Form1"));
    resize(800, 560);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    PageControl2 = new QTabWidget(central);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    PageControl2->setMaximumHeight(70);
    for (const auto& [name, page] : {std::pair{"TabSheet6", QStringLiteral("Standard")},
                                     std::pair{"TabSheet7", QStringLiteral("Supplément")}}) {
        auto* sheet = new QWidget(PageControl2);
        sheet->setObjectName(QLatin1String(name));
        PageControl2->addTab(sheet, page);
    }
    layout->addWidget(PageControl2);

    // The command detail panel at the left of the list and the lower tabs.
    Splitter2 = new QSplitter(Qt::Horizontal, central);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    buildDetailPanel();
    auto* split = new QSplitter(Qt::Vertical, Splitter2);
    split->setObjectName(QStringLiteral("Splitter1"));
    Macro = new TMacroDocument(this);
    Macro->setObjectName(QStringLiteral("Macro"));
    ListView1 = new TListView(split);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setDocument(Macro);
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
    buildPrintUi();
    buildListViews();
    buildRunUi();
    buildReportTab();
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
}

QToolButton* TForm1::PaletteButton(int number) const {
    return PageControl2->findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(number));
}

void TForm1::Editer1Click() {
    const int row = ListView1->selectedIndex();
    if (row < 0) return;
    RowEditing().modifying = true;
    RowEditing().previousParams = ListView1->params(row);
    if (!Services().EditRow(ListView1->keyword(row))) RowEditing().modifying = false;  // nothing opened
}

void TForm1::ListView1DblClick() {
    if (ListView1->selectedIndex() >= 0) Editer1->setEnabled(true);
    Editer1->trigger();
}
