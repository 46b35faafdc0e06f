// The watch list of TForm1 (tab "Évaluer"): the variables the user follows,
// their live values, and the operations of its pop-up menu.
#include "core/WatchList.h"

#include "core/Dialogs.h"
#include "core/MacroList.h"
#include "core/TreeRows.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "core/RunState.h"
#include "core/Services.h"
#include "core/Helpers.h"
#include "platform/Platform.h"

#include <QAction>
#include <QCheckBox>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kPassword = QStringLiteral("[PASSWORD]");

QAction* newItem(QWidget* owner, QMenu* menu, const char* name, const QString& text) {
    auto* a = new QAction(text, owner);
    a->setObjectName(QString::fromLatin1(name));
    if (menu) menu->addAction(a);
    return a;
}
}  // namespace


QString WatchDisplay(const QString& name, const QString& value) {
    return name == kPassword ? QStringLiteral("********") : value;
}

TWatchList::TWatchList(TForm1* form, QWidget* parent) : QTreeWidget(parent), form_(form) {
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Variable"), QStringLiteral("Valeur")});
    header()->resizeSection(0, 150);
    header()->setStretchLastSection(true);
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
}

int TWatchList::selectedIndex() const { return SelectedTopLevelRow(this); }

void TWatchList::selectRow(int row) { SelectOnlyTopLevelRow(this, row); }

void TWatchList::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QColor even = palette().base().color();
    if (auto* checks = form_->findChild<QAbstractItemView*>(QStringLiteral("ListView2")))
        even = checks->palette().base().color();
    painter->fillRect(option.rect, index.row() % 2 ? QColor(0xEE, 0xEE, 0xEE) : even);
    QStyleOptionViewItem plain = option;
    plain.palette.setColor(QPalette::Text, palette().color(QPalette::WindowText));
    plain.font.setBold(false);
    plain.font.setItalic(false);
    plain.font.setUnderline(false);
    QTreeWidget::drawRow(painter, plain, index);
}

// Drops are taken from the list itself only.
void TWatchList::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this) event->acceptProposedAction();
    else event->ignore();
}

void TWatchList::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() == this) event->acceptProposedAction();
    else event->ignore();
}

void TWatchList::dropEvent(QDropEvent* event) {
    if (event->source() != this) return event->ignore();
    const QModelIndex target = indexAt(event->position().toPoint());
    form_->ListView3EndDrag(target.isValid() ? target.row() : count());
    event->setDropAction(Qt::IgnoreAction);  // the move is done; the view must not move anything itself
    event->accept();
}

void TWatchList::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) form_->Supprimer4Click();
    QTreeWidget::keyReleaseEvent(event);
}

void AddWatchRow(TForm1& form, const QString& name, const QString& value) {
    auto* item = new QTreeWidgetItem({name, WatchDisplay(name, value)});
    item->setIcon(0, CommandIcons::icon(kWatchIcon));
    item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);
    form.ListView3->addTopLevelItem(item);
}

QStringList WatchedNames(const TForm1& form) {
    QStringList names;
    for (int i = 0; i < form.ListView3->count(); ++i) names << form.ListView3->topLevelItem(i)->text(0);
    return names;
}

void buildWatchListUi(TForm1& form) {
    form.TabSheet4 = new QWidget(form.PageControl1);
    form.TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    auto* layout = new QVBoxLayout(form.TabSheet4);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* panel = new QHBoxLayout;
    form.SpeedButton21 = new QToolButton(form.TabSheet4);
    form.SpeedButton21->setObjectName(QStringLiteral("SpeedButton21"));
    form.SpeedButton21->setToolTip(QStringLiteral("Fermer"));
    form.SpeedButton21->setText(QStringLiteral("×"));
    form.SpeedButton28 = new QToolButton(form.TabSheet4);
    form.SpeedButton28->setObjectName(QStringLiteral("SpeedButton28"));
    form.SpeedButton28->setToolTip(QStringLiteral("Opération sur variable"));
    form.SpeedButton28->setText(QStringLiteral("..."));
    form.CheckBox1 = new QCheckBox(QStringLiteral("Évalution permanente"), form.TabSheet4);
    form.CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    form.CheckBox1->setChecked(true);
    panel->addWidget(form.SpeedButton21);
    panel->addWidget(form.SpeedButton28);
    panel->addWidget(form.CheckBox1);
    panel->addStretch();
    layout->addLayout(panel);
    form.ListView3 = new TWatchList(&form, form.TabSheet4);
    form.ListView3->setObjectName(QStringLiteral("ListView3"));
    layout->addWidget(form.ListView3, 1);
    form.PageControl1->addTab(form.TabSheet4, QStringLiteral("Évaluer"));

    form.PopupMenu6 = new QMenu(&form);
    form.PopupMenu6->setObjectName(QStringLiteral("PopupMenu6"));
    QMenu* m = form.PopupMenu6;
    form.Ajouter1 = newItem(&form, m, "Ajouter1", QStringLiteral("Ajouter"));
    form.Modifier1 = newItem(&form, m, "Modifier1", QStringLiteral("Modifier la valeur"));
    form.Supprimer4 = newItem(&form, m, "Supprimer4", QStringLiteral("Supprimer la variable"));
    form.Reinitialiertouteslesvariable1 =
        newItem(&form, m, "Reinitialiertouteslesvariable1", QStringLiteral("Reinitialiser toutes les variables"));
    form.Supprimertouteslesvariables1 =
        newItem(&form, m, "Supprimertouteslesvariables1", QStringLiteral("Supprimer toutes les variables"));
    form.Copierlavaleur1 = newItem(&form, m, "Copierlavaleur1", QStringLiteral("Copier la valeur"));
    form.Copierlavaleur1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    form.Copierlavaleur1->setShortcutContext(Qt::WidgetShortcut);
    form.ListView3->addAction(form.Copierlavaleur1);
    form.valuer1 = newItem(&form, form.PopupMenu1, "valuer1", QStringLiteral("Évaluer"));
    form.valuer2 = newItem(&form, form.MenuOutils, "valuer2", QStringLiteral("Évaluer (variable)"));
    form.valuer2->setCheckable(true);
    form.valuer2->setChecked(true);

    QObject::connect(form.SpeedButton28, &QToolButton::clicked, &form, &TForm1::SpeedButton28MouseUp);
    QObject::connect(form.PopupMenu6, &QMenu::aboutToShow, &form, &TForm1::PopupMenu6Popup);
    form.ListView3->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(form.ListView3, &QWidget::customContextMenuRequested, &form, [&form](const QPoint& p) {
        form.PopupMenu6->popup(form.ListView3->viewport()->mapToGlobal(p));
    });
    QObject::connect(form.ListView3, &QTreeWidget::itemClicked, &form, [&form] { form.ListView3Click(); });
    QObject::connect(form.SpeedButton21, &QToolButton::clicked, &form, &TForm1::SpeedButton21Click);
    const std::pair<QAction*, void (TForm1::*)()> handlers[] = {
        {form.Ajouter1, &TForm1::Ajouter1Click},
        {form.Modifier1, &TForm1::Modifier1Click},
        {form.Supprimer4, &TForm1::Supprimer4Click},
        {form.Reinitialiertouteslesvariable1, &TForm1::Reinitialiertouteslesvariable1Click},
        {form.Supprimertouteslesvariables1, &TForm1::Supprimertouteslesvariables1Click},
        {form.Copierlavaleur1, &TForm1::Copierlavaleur1Click},
        {form.valuer1, &TForm1::valuer1Click},
        {form.valuer2, &TForm1::valuer2Click},
    };
    for (const auto& [action, handler] : handlers) QObject::connect(action, &QAction::triggered, &form, handler);
}

void TForm1::PopupMenu6Popup() {
    const int r = ListView3->selectedIndex();
    const QString name = r >= 0 ? ListView3->topLevelItem(r)->text(0) : QString();
    const bool readOnly = Services().IsSysVar(name) && !Services().SysVarWritable(name);
    Modifier1->setEnabled(r >= 0 && !readOnly);
    Supprimer4->setEnabled(r >= 0);
    Reinitialiertouteslesvariable1->setEnabled(ListView3->count() > 0);
    Supprimertouteslesvariables1->setEnabled(ListView3->count() > 0);
    const int row = ListView1->selectedIndex();
    Ajouter1->setEnabled(row >= 0 && ListView1->keyword(row) == u"Variable");
}

// The menu opens at the button's right edge, half way down.
void TForm1::SpeedButton28MouseUp() {
    PopupMenu6->popup(SpeedButton28->mapToGlobal(QPoint(SpeedButton28->width(), SpeedButton28->height() / 2)));
}

void TForm1::RefreshWatchValue(const QString& name, const QString& value) {
    if (!CheckBox1->isChecked()) return;
    const QString shown = WatchDisplay(name, value);
    for (int r = ListView3->count() - 1; r >= 0; --r) {
        QTreeWidgetItem* item = ListView3->topLevelItem(r);
        if (item->text(0) == name && item->text(1) != shown) {
            item->setText(1, shown);
            return;
        }
    }
}

void TForm1::valuer1Click() {
    for (int r : ListView1->selectedRows()) {
        if (ListView1->keyword(r) != u"Variable") continue;
        const TParamFields f = SplitFields(ListView1->params(r), ParamSeparator());
        if (!WatchedNames(*this).contains(f[1])) AddWatchRow(*this, f[1], f[2]);
    }
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet4), true);
    PageControl1->setCurrentWidget(TabSheet4);
}

void TForm1::Ajouter1Click() { valuer1->trigger(); }

void TForm1::valuer2Click() {
    const bool on = valuer2->isChecked();
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet4), on);
    CheckBox1->setChecked(on);
    if (on) PageControl1->setCurrentWidget(TabSheet4);
}

void TForm1::SpeedButton21Click() {
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet4), false);
    CheckBox1->setChecked(false);
    valuer2->setChecked(false);
}

void TForm1::Supprimer4Click() {
    const int r = ListView3->selectedIndex();
    if (r < 0) return;
    delete ListView3->takeTopLevelItem(r);
    ListView3->selectRow(qMax(0, r - 1));
}

void TForm1::Supprimertouteslesvariables1Click() { ListView3->clear(); }

void TForm1::Reinitialiertouteslesvariable1Click() {
    for (int r = ListView3->count() - 1; r >= 0; --r) {
        const QString name = ListView3->topLevelItem(r)->text(0);
        const QString kind = mdlfnct::GetVarType(name);
        if (kind == u"Alpha") {
            WriteVariable(QStringLiteral("VAR"), name, QString());
        } else if (kind == u"Numerique") {
            WriteVariable(QStringLiteral("VAR"), name, QStringLiteral("0"));
        } else if (kind == u"No_Type") {
            // Read-only system variables stay.
            if (!Services().IsSysVar(name) || Services().SysVarWritable(name)) delete ListView3->takeTopLevelItem(r);
        }
    }
}

void TForm1::Modifier1Click() {
    const int r = ListView3->selectedIndex();
    if (r < 0) return;
    const QString name = ListView3->topLevelItem(r)->text(0);
    const QString kind = mdlfnct::GetVarType(name);
    if (kind == u"No_Type") {
        MessageDlg(QStringLiteral("La variable nommée ") + name + QStringLiteral(" n'est pas déclarée."),
                   MsgType::Information, mbOK);
        Supprimer4Click();
        return;
    }
    QString text;
    if (!Saisie(QStringLiteral("Modification de variable"), QStringLiteral("Valeur"), text, name == kPassword,
                RunState().MacroRunning ? mdlfnct::GetVarValue(name) : QString()))
        return;
    if (kind == u"Numerique" && !mdlfnct::IsInteger(text)) {
        MessageDlg(QStringLiteral("Valeur incorrecte"), MsgType::Information, mbOK);
        return;
    }
    WriteVariable(QStringLiteral("VAR"), name, text);
}

void TForm1::Copierlavaleur1Click() {
    const int r = ListView3->selectedIndex();
    if (r >= 0 && ListView3->hasFocus()) platform::desktop().SetClipboardText(ListView3->topLevelItem(r)->text(1));
}

void TForm1::ListView3Click() { Select_unique(ListView1, -1); }

void TForm1::ListView3EndDrag(int to) {
    const int from = ListView3->selectedIndex();
    if (from < 0) return;
    QTreeWidgetItem* item = ListView3->takeTopLevelItem(from);
    ListView3->insertTopLevelItem(qBound(0, to, ListView3->count()), item);
    ListView3->selectRow(ListView3->indexOfTopLevelItem(item));
}
