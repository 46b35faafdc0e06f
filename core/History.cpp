// Undo history of TForm1. Recording is switched off while loads and replays work.
#include "core/History.h"

#include "core/CplBrd.h"
#include "core/Find.h"
#include "core/Inclusions.h"
#include "core/TreeRows.h"
#include "core/Unit1.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kCurrentRowImage = 14;
const QString kNoChange = QStringLiteral("¶");
}  // namespace

// --- The history list ---

THistoryList::THistoryList(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(4);
    setHeaderLabels({QStringLiteral("N°"), QStringLiteral("Action"), QStringLiteral("Commande"),
                     QStringLiteral("Paramètres")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->resizeSection(0, 60);
    header()->resizeSection(1, 150);
    header()->resizeSection(2, 120);
}

bool THistoryList::isGroupMarker(int row) const {
    const QString a = action(row);
    return a == HistoryAction::GroupBegin || a == HistoryAction::GroupEnd;
}

void THistoryList::insertRow(int row, int line, const QString& action, const QString& command, const QString& params) {
    insertTopLevelItem(row, new QTreeWidgetItem({QString::number(line), action, command, params}));
}

void THistoryList::removeFrom(int row) {
    while (count() > qMax(row, 0)) delete takeTopLevelItem(count() - 1);
}

int THistoryList::selectedRow() const { return SelectedTopLevelRow(this); }

void THistoryList::selectOnly(int row) { SelectOnlyTopLevelRow(this, row); }

void THistoryList::setCurrent(int row) {
    if (QTreeWidgetItem* old = topLevelItem(tag)) old->setIcon(0, QIcon());
    tag = row;
    if (QTreeWidgetItem* item = topLevelItem(row)) item->setIcon(0, CommandIcons::icon(kCurrentRowImage));
    selectOnly(row);
}

HistoryPause::HistoryPause() : saved_(RowEditing().historyEnabled) { RowEditing().historyEnabled = false; }
HistoryPause::~HistoryPause() { RowEditing().historyEnabled = saved_; }

EditModeAs::EditModeAs(bool on) : saved_(RowEditing().modifying) { RowEditing().modifying = on; }
EditModeAs::~EditModeAs() { RowEditing().modifying = saved_; }

// --- The editing tabs, menus and buttons ---

void TForm1::buildEditingUi() {
    TabSheet5 = new QWidget(PageControl1);
    TabSheet5->setObjectName(QStringLiteral("TabSheet5"));
    auto* layout = new QVBoxLayout(TabSheet5);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* bar = new QHBoxLayout;
    auto button = [&](QToolButton*& b, const QString& name, const QString& text, const QString& hint) {
        b = new QToolButton(TabSheet5);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(hint);
        b->setAutoRaise(true);
        bar->addWidget(b);
    };
    button(SpeedButton26, QStringLiteral("SpeedButton26"), QStringLiteral("<<"), QStringLiteral("Action groupée"));
    button(SpeedButton27, QStringLiteral("SpeedButton27"), QStringLiteral(">>"), QStringLiteral("Action groupée"));
    bar->addStretch(1);
    button(SpeedButton24, QStringLiteral("SpeedButton24"), QStringLiteral("Fermer"), QStringLiteral("Fermer"));
    layout->addLayout(bar);
    ListView4 = new THistoryList(TabSheet5);
    ListView4->setObjectName(QStringLiteral("ListView4"));
    layout->addWidget(ListView4, 1);
    PageControl1->addTab(TabSheet5, QStringLiteral("Modifications"));

    connect(SpeedButton26, &QToolButton::clicked, this, &TForm1::SpeedButton26Click);
    connect(SpeedButton27, &QToolButton::clicked, this, &TForm1::SpeedButton27Click);
    connect(SpeedButton24, &QToolButton::clicked, this, &TForm1::SpeedButton24Click);
    connect(ListView4, &QTreeWidget::itemClicked, this, [this] { ListView4Click(); });

    auto action = [this](const QString& name, const QString& text, const QKeySequence& key = {}) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        if (!key.isEmpty()) a->setShortcut(key);
        return a;
    };
    Dfaire1 = action(QStringLiteral("Dfaire1"), QStringLiteral("Défaire"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    Refaire1 = action(QStringLiteral("Refaire1"), QStringLiteral("Refaire"),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    Modificattion1 = action(QStringLiteral("Modificattion1"), QStringLiteral("Modification"));
    QAction* first = MenuEdition->actions().value(0);
    MenuEdition->insertActions(first, {Dfaire1, Refaire1, Modificattion1});
    MenuEdition->insertSeparator(first);
    connect(Dfaire1, &QAction::triggered, this, &TForm1::Dfaire1Click);
    connect(Refaire1, &QAction::triggered, this, &TForm1::Refaire1Click);
    connect(Modificattion1, &QAction::triggered, this, &TForm1::Modificattion1Click);

    editing::buildClipboardUi(*this);
    editing::buildFindUi(*this);
    editing::buildInclusionsUi(*this);
    ListView4Changing();
}

// --- Recording ---

void TForm1::ResetHistory(const QString& action, const QString& params) {
    HistoryPause pause;
    ListView4->clear();
    ListView4->tag = -1;
    ListView4->insertRow(0, 0, action, QString(), params);
    ListView4->setCurrent(0);
    ListView4Changing();
}

void TForm1::AddHistory(int line, const QString& action, const QString& command, const QString& params) {
    if (!RowEditing().historyEnabled) return;
    HistoryPause pause;
    const int p = ListView4->tag + 1;
    ListView4->removeFrom(p);
    ListView4->insertRow(p, line, action, command, params);
    ListView4->setCurrent(p);
    ListView4Changing();
}

void TForm1::SaveBeforeChange(int row) {
    if (!ListView1->hasRow(row)) return;
    if (RowEditing().modifying) return SaveRowChange(row, {ListView1->keyword(row), RowEditing().previousParams});
    if (!RowEditing().historyEnabled) return;
    HistoryPause pause;
    const int p = ListView4->tag + 1;
    ListView4->removeFrom(p);
    const MacroCommand& c = ListView1->item(row);
    ListView4->insertRow(p, row + 1, HistoryAction::Add, c.keyword, c.params);
    ListView4->setCurrent(p);
    ListView4Changing();
}

void TForm1::SaveRowChange(int row, const MacroCommand& before) {
    if (!RowEditing().historyEnabled || !ListView1->hasRow(row)) return;
    HistoryPause pause;
    int p = ListView4->tag + 1;
    ListView4->removeFrom(p);
    const int line = row + 1;
    const MacroCommand& c = ListView1->item(row);
    if (FindModif(line, p - 1, kNoChange) == kNoChange)
        ListView4->insertRow(p++, line, HistoryAction::Initial, before.keyword, before.params);
    ListView4->insertRow(p, line, HistoryAction::Modify, c.keyword, c.params);
    ListView4->setCurrent(p);
    ListView4Changing();
}

// Walking back, the sought line is carried over every row that moved it: before
// an addition above it, it was one line higher; before a deletion at or above
// it, one line lower; a move gives it the other line of the swap.
QString TForm1::FindModif(int line, int from, const QString& def) const {
    const int r = FindModifRow(line, from);
    return r < 0 ? def : ListView4->params(r);
}

int TForm1::FindModifRow(int line, int from) const {
    if (line < 0 || from < 1 || from >= ListView4->count()) return -1;
    for (int r = from; r >= 1; --r) {
        const QString a = ListView4->action(r);
        const int n = ListView4->line(r);
        if (a == HistoryAction::Modify || a == HistoryAction::Initial) {
            if (n == line) return r;
        } else if (a == HistoryAction::Add) {
            if (n == line) return r;  // the row as it was added
            if (n < line) --line;
        } else if (a == HistoryAction::Delete) {
            if (n <= line) ++line;
        } else if (a == HistoryAction::Up) {  // n moved to n - 1
            if (line == n - 1) line = n;
            else if (line == n) line = n - 1;
        } else if (a == HistoryAction::Down) {  // n moved to n + 1
            if (line == n + 1) line = n;
            else if (line == n) line = n + 1;
        }
    }
    return -1;
}

// --- Replay ---

void TForm1::ListView4Click() {
    const int s = ListView4->selectedRow();
    if (s < 0) return;
    HistoryPause pause;
    ListView4->setUpdatesEnabled(false);
    if (ListView4->tag < 0) ListView4->tag = ListView4->count() - 1;
    TListView* list = ListView1;
    auto insertAt = [&](int l, int r) {
        const TMacroFileRecord c{ListView4->command(r), ListView4->params(r)};
        list->insert(l, {c.keyword, c.params, GetImageIndex(c)});
    };
    // Line l takes the command and parameters history row r holds (none: unchanged);
    // a new command brings its icon.
    auto restore = [&](int l, int r) {
        if (r < 0 || !list->hasRow(l)) return;
        const TMacroFileRecord c{ListView4->command(r), ListView4->params(r)};
        if (c.keyword != list->keyword(l)) {
            list->setKeyword(l, c.keyword);
            list->setIcon(l, GetImageIndex(c));
        }
        list->setParams(l, c.params);
    };
    using namespace HistoryAction;
    // Undo: each row is undone against the list as it stood right after it,
    // so the parameters to give back are those of the rows before it.
    for (int r = ListView4->tag; r > s; --r) {
        const QString a = ListView4->action(r);
        const int l = ListView4->line(r) - 1;
        if (a == Delete) insertAt(l, r);
        else if (a == Add) list->remove(l);
        else if (a == Modify) restore(l, FindModifRow(l + 1, r - 1));
        else if (a == Up) MoveCommande(list, l - 1, l);
        else if (a == Down) MoveCommande(list, l + 1, l);
        else if (a == Initial) restore(l, r);
    }
    for (int r = ListView4->tag + 1; r <= s; ++r) {
        const QString a = ListView4->action(r);
        const int l = ListView4->line(r) - 1;
        if (a == Add) insertAt(l, r);
        else if (a == Delete) list->remove(l);
        else if (a == Modify) restore(l, r);
        else if (a == Up) MoveCommande(list, l, l - 1);
        else if (a == Down) MoveCommande(list, l, l + 1);
    }
    ListView4->setCurrent(s);
    ListView4Changing();
    ListView4->setUpdatesEnabled(true);
}

void TForm1::ListView4Changing() {
    const int pos = ListView4->tag;
    const int n = ListView4->count();
    const bool back = pos > 0 && n > 1;
    const bool forward = pos >= 0 && pos < n - 1;
    SpeedButton25->setEnabled(back);
    SpeedButton26->setEnabled(back);
    SpeedButton23->setEnabled(forward);
    SpeedButton27->setEnabled(forward);
    Dfaire1->setEnabled(back);
    Refaire1->setEnabled(forward);
}

namespace {
// The row the step buttons start from: the selected one, else the current position.
int stepOrigin(THistoryList* h) {
    if (h->tag >= 0 && h->selectedRow() < 0) h->selectOnly(h->tag);
    return h->selectedRow();
}

// The other marker of the group whose marker stands at row `from` (step -1
// from a "Fin", +1 from a "Début"); -1 when the group is not closed.
int otherMarker(const THistoryList* h, int from, int step) {
    const QString& opening = step < 0 ? HistoryAction::GroupEnd : HistoryAction::GroupBegin;
    int depth = 0;
    for (int r = from; r >= 0 && r < h->count(); r += step) {
        if (!h->isGroupMarker(r)) continue;
        depth += h->action(r) == opening ? 1 : -1;
        if (depth == 0) return r;
    }
    return -1;
}
}  // namespace

// One step back; a group of actions is one step: from its "Fin" to the row before its "Début".
void TForm1::SpeedButton25Click() {
    const int s = stepOrigin(ListView4);
    if (s < 0) return;
    const int begin = ListView4->action(s) == HistoryAction::GroupEnd ? otherMarker(ListView4, s, -1) : -1;
    ListView4->selectOnly(qMax((begin >= 0 ? begin : s) - 1, 0));
    ListView4Click();
}

// One step forward; a group of actions is one step: from the row before its "Début" to its "Fin".
void TForm1::SpeedButton23Click() {
    const int s = stepOrigin(ListView4);
    if (s < 0 || s + 1 >= ListView4->count()) return;
    const int end = ListView4->action(s + 1) == HistoryAction::GroupBegin ? otherMarker(ListView4, s + 1, 1) : -1;
    ListView4->selectOnly(end >= 0 ? end : s + 1);
    ListView4Click();
}

void TForm1::SpeedButton26Click() {
    const int s = stepOrigin(ListView4);
    if (s < 0) return;
    int target = 0;
    for (int k = s - 1; k >= 0; --k) {
        if (!ListView4->isGroupMarker(k)) continue;
        target = k >= 1 && ListView4->isGroupMarker(k - 1) ? k - 1 : k;
        break;
    }
    ListView4->selectOnly(target);
    ListView4Click();
}

void TForm1::SpeedButton27Click() {
    const int s = stepOrigin(ListView4);
    if (s < 0) return;
    const int n = ListView4->count();
    int target = n - 1;
    for (int k = s + 1; k < n; ++k) {
        if (!ListView4->isGroupMarker(k)) continue;
        target = k + 1 < n && ListView4->isGroupMarker(k + 1) ? k + 1 : k;
        break;
    }
    ListView4->selectOnly(target);
    ListView4Click();
}

void TForm1::Dfaire1Click() { SpeedButton25Click(); }

void TForm1::Refaire1Click() { SpeedButton23Click(); }

void TForm1::Modificattion1Click() {
    const int i = PageControl1->indexOf(TabSheet5);
    PageControl1->setTabVisible(i, true);
    PageControl1->setCurrentIndex(i);
}

void TForm1::SpeedButton24Click() { PageControl1->setTabVisible(PageControl1->indexOf(TabSheet5), false); }
