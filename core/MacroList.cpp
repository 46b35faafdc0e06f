#include "core/MacroList.h"

#include "core/DrawnIcons.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMap>

namespace {
QMap<int, QIcon>& iconTable() {
    static QMap<int, QIcon> table;
    return table;
}

// The drawn picture of an index (core/icons), or the neutral one for an index without its own.
QIcon drawnIcon(int index) {
    const QString base = QStringLiteral(":/commandicons/%1").arg(index, 2, 10, QLatin1Char('0'));
    const QIcon icon = DrawnIcon(base);
    return icon.isNull() ? DrawnIcon(QStringLiteral(":/commandicons/other")) : icon;
}
}  // namespace

QIcon CommandIcons::icon(int index) {
    if (index < 0) return {};
    auto& t = iconTable();
    auto it = t.find(index);
    if (it == t.end()) it = t.insert(index, drawnIcon(index));
    return *it;
}

void CommandIcons::setIcon(int index, const QIcon& icon) { iconTable()[index] = icon; }

TListView::TListView(QWidget* parent) : QTreeView(parent) {
    setModel(doc_);
    deletion_ = connect(doc_, &TMacroDocument::deletion, this, &TListView::deletion);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(true);
    header()->setMinimumSectionSize(50);
    header()->resizeSection(0, 150);
}

void TListView::setDocument(TMacroDocument* document) {
    if (!document) document = &own_;
    if (document == doc_) return;
    disconnect(deletion_);
    doc_ = document;
    setModel(doc_);
    deletion_ = connect(doc_, &TMacroDocument::deletion, this, &TListView::deletion);
}

QList<int> TListView::selectedRows() const {
    QList<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedRows()) rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

int TListView::selectedIndex() const {
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

int TListView::selCount() const { return int(selectionModel()->selectedRows().size()); }

bool TListView::isSelected(int row) const {
    return hasRow(row) && selectionModel()->isRowSelected(row, {});
}

void TListView::setSelected(int row, bool on) {
    if (!hasRow(row)) return;
    selectionModel()->select(doc_->index(row, 0),
                             (on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                 QItemSelectionModel::Rows);
    if (on) selectionModel()->setCurrentIndex(doc_->index(row, 0), QItemSelectionModel::NoUpdate);
}

void TListView::clearSelection() { selectionModel()->clearSelection(); }

void TListView::scrollToRow(int row) {
    if (hasRow(row)) scrollTo(doc_->index(row, 0), QAbstractItemView::EnsureVisible);
}
