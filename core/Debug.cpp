// The macro checker's driver and its check list in the main window.
#include "core/Debug.h"

#include "core/MessageTexts.h"

#include "core/HelpContext.h"
#include "core/IgnoreMsg.h"
#include "core/MacroFileLoad.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Unit1.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kCheckDisabled = QStringLiteral(
    "Le contrôle des commandes est désactivé, pour le réactiver rendez vous dans les options, onglet contrôle, puis "
    "coché la case \"Contrôle des commandes avant chaque exécution\".");

int rowImage(const QTreeWidgetItem* item) { return item->data(0, Qt::UserRole).toInt(); }

}  // namespace

void TForm1::buildCheckUi() {
    ListView2 = new QTreeWidget(TabSheet1);
    ListView2->setObjectName(QStringLiteral("ListView2"));
    ListView2->setHeaderLabels({QStringLiteral("N° de Commande"), QStringLiteral("Status"), QStringLiteral("Détail")});
    ListView2->setRootIsDecorated(false);
    ListView2->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView2->setToolTip(QStringLiteral("Double-cliquez pour sélectionner la commande en question."));
    ListView2->header()->setSectionsClickable(true);
    ListView2->header()->setStretchLastSection(true);
    ListView2->setColumnWidth(0, 110);
    ListView2->setColumnWidth(1, 100);
    auto* layout = new QVBoxLayout(TabSheet1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListView2);

    // The pop-up menu of the bottom panel, shared with the report.
    auto* menu = findChild<QMenu*>(QStringLiteral("PopupMenu2"));
    if (!menu) {
        menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("PopupMenu2"));
    }
    auto addAction = [menu](const char* name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    Rafr1 = addAction("Rafr1", QStringLiteral("Actualiser"));
    Ignorercetteavertissement1 = addAction("Ignorercetteavertissement1", QStringLiteral("Ignorer cet avertissement"));
    Restituerlesavertissementsignors1 =
        addAction("Restituerlesavertissementsignors1", QStringLiteral("Restituer les avertissements ignorés"));
    connect(menu, &QMenu::aboutToShow, this, [this] {
        const bool checkPage = PageControl1->currentWidget() == TabSheet1;
        const QTreeWidgetItem* item = ListView2->currentItem();
        Ignorercetteavertissement1->setVisible(checkPage && item && item->isSelected() && rowImage(item) == 1);
        Restituerlesavertissementsignors1->setVisible(checkPage);
        Restituerlesavertissementsignors1->setEnabled(!TTabIgnoreMsg.isEmpty());
    });
    ListView2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView2, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& p) { menu->popup(ListView2->viewport()->mapToGlobal(p)); });

    connect(Rafr1, &QAction::triggered, this, &TForm1::Rafr1Click);
    connect(Ignorercetteavertissement1, &QAction::triggered, this, &TForm1::Ignorercetteavertissement1Click);
    connect(Restituerlesavertissementsignors1, &QAction::triggered, this,
            &TForm1::Restituerlesavertissementsignors1Click);
    connect(ListView2, &QTreeWidget::itemDoubleClicked, this, [this] { ListView2DblClick(); });
    connect(ListView2->header(), &QHeaderView::sectionClicked, this, &TForm1::ListView2ColumnClick);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });

    // The list shows the program's check report, empty for a new window.
    TCheckReport& report = Debug::ProgramCheckReport();
    report.Clear();
    connect(&report, &TCheckReport::Cleared, ListView2, &QTreeWidget::clear);
    connect(&report, &TCheckReport::FirstRemoved, ListView2, [this] { delete ListView2->takeTopLevelItem(0); });
    auto add = [this](const TCheckFinding& f) {
        static const QStyle::StandardPixmap kImages[] = {QStyle::SP_MessageBoxCritical, QStyle::SP_MessageBoxWarning,
                                                         QStyle::SP_DialogApplyButton};
        auto* item = new QTreeWidgetItem(ListView2, {f.caption, f.kind, f.message});
        item->setIcon(0, ListView2->style()->standardIcon(kImages[f.image]));
        item->setData(0, Qt::UserRole, f.image);
    };
    connect(&report, &TCheckReport::Added, ListView2, add);
}

namespace {

// Checks the rows of list in order until the pass must stop; false when a row
// failed or the pass stopped early.
bool checkRows(const TMacroDocument& list, TCheckReport& report) {
    using namespace Debug;
    macrofile::LoadProgress progress(list.count(), 300,
                                     QStringLiteral("Vérification des commandes en cours. Veuillez patienter SVP."));
    bool result = true;
    for (int i = 0; i < list.count(); ++i) {
        if (progress.shown() && i % progress.step() == 0 && (progress.reach(i) || i >= list.count())) return false;
        if (!CheckCommand(list, list.keyword(i), list.params(i), 0, i, report)) result = false;
        const char* stop = report.StructureBroken ? "Commande destructurée.(Arrêt du contrôle des commandes)"
                           : report.ErrorCount > 8 ? "Nombre d'erreur trop important.(Arrêt du contrôle des commandes)"
                                                   : nullptr;
        if (stop) {
            AddCheckError(report, 0, kErreur, QString::fromUtf8(stop), 0);
            return false;
        }
    }
    return result;
}

}  // namespace

bool Debug::CheckMacro(const TMacroDocument& list, TCheckReport& report) {
    // A pass pumps events while its progress shows: a pass asked for meanwhile is refused.
    static bool checking = false;
    if (checking) return false;
    const QScopedValueRollback<bool> busy(checking, true);
    report.Clear();
    if (StartMode().commandLineRun && !settings().CheckBeforeRun) return true;
    if (!settings().CheckCommands) {
        AddCheckError(report, 0, kAvertissement, kCheckDisabled, 0);
        return true;
    }
    for (TIgnoreMsg& ignored : TTabIgnoreMsg) ignored.StillPresent = false;
    const bool result = checkRows(list, report);
    if (list.count() > 300) QApplication::processEvents();  // the progress window is gone
    if (report.Findings().isEmpty())
        report.Add({QStringLiteral("0"), kValide, MessageText(QStringLiteral("Debug"), QStringLiteral("Dbg_NoError")), 2});
    return result;
}

bool TForm1::ControlAll(TListView* list) {
    const bool result = Debug::CheckMacro(list->document(), Debug::ProgramCheckReport());
    if (ListView2->topLevelItemCount() == 1 && ListView2->topLevelItem(0)->text(1) == Debug::kValide)
        ListView2->setCurrentItem(ListView2->topLevelItem(0));
    return result;
}

void TForm1::PageControl1Change() {
    if (PageControl1->currentWidget() != TabSheet1 || RunState().ExecState != 0) return;
    Rafr1->setEnabled(true);
    SetHelpContext(this, 12);
    for (const char* name : {"Copier4", "Slctionnertout2"})
        if (auto* a = findChild<QAction*>(QLatin1String(name))) a->setEnabled(false);
    ControlAll(ListView1);
}

void TForm1::Rafr1Click() {
    if (PageControl1->currentWidget() == TabSheet1) ControlAll(ListView1);
}

void TForm1::Ignorercetteavertissement1Click() {
    const QTreeWidgetItem* item = ListView2->currentItem();
    if (!item) return;
    TTabIgnoreMsg.append({item->text(0), item->text(2), true});
    ControlAll(ListView1);
}

void TForm1::Restituerlesavertissementsignors1Click() {
    ClearIgnoreMsg();
    ControlAll(ListView1);
}

void TForm1::ListView2DblClick() {
    const QTreeWidgetItem* item = ListView2->currentItem();
    if (!item) return;
    // "12" is line 12; a sub-macro's "5,3" names the caller's line 5.
    const int line = item->text(0).section(QLocale::system().decimalPoint(), 0, 0).toInt();
    Select_unique(ListView1, line - 1);
    if (ListView1->isVisible()) ListView1->setFocus();
}

void TForm1::ListView2ColumnClick(int column) {
    QList<QTreeWidgetItem*> rows;
    while (ListView2->topLevelItemCount() > 0) rows << ListView2->takeTopLevelItem(0);
    const bool descending = CheckSortDescending;
    std::stable_sort(rows.begin(), rows.end(), [column, descending](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        const int order = QString::localeAwareCompare(a->text(column), b->text(column));
        return descending ? order > 0 : order < 0;
    });
    ListView2->addTopLevelItems(rows);
    CheckSortDescending = !CheckSortDescending;
}
