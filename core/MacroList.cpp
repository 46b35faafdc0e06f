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

int MacroModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int MacroModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant MacroModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size()) return {};
    const MacroCommand& c = rows_[index.row()];
    if (role == Qt::DisplayRole || role == Qt::EditRole) return index.column() == 0 ? c.keyword : c.params;
    if (role == Qt::DecorationRole && index.column() == 0 && c.icon >= 0) return CommandIcons::icon(c.icon);
    return {};
}

QVariant MacroModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return headers_.value(section);
}

bool MacroModel::setHeaderData(int section, Qt::Orientation o, const QVariant& value, int role) {
    if (o != Qt::Horizontal || section < 0 || section >= headers_.size() || role != Qt::EditRole) return false;
    headers_[section] = value.toString();
    emit headerDataChanged(o, section, section);
    return true;
}

void MacroModel::setRow(int row, const MacroCommand& c) {
    if (rows_[row] == c) return;
    rows_[row] = c;
    emit dataChanged(index(row, 0), index(row, 1));
}

void MacroModel::insertRows(int row, const QVector<MacroCommand>& rows) {
    if (rows.isEmpty()) return;
    beginInsertRows({}, row, row + int(rows.size()) - 1);
    rows_.insert(row, rows.size(), MacroCommand{});
    std::copy(rows.begin(), rows.end(), rows_.begin() + row);
    endInsertRows();
}

void MacroModel::removeRowAt(int row) {
    beginRemoveRows({}, row, row);
    rows_.removeAt(row);
    endRemoveRows();
}

void MacroModel::moveRowTo(int from, int to) {
    if (from == to) return;
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    rows_.move(from, to);
    endMoveRows();
}

void MacroModel::clearRows() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

TListView::TListView(QWidget* parent) : QTreeView(parent) {
    setModel(&model_);
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

void TListView::setKeyword(int row, const QString& k) {
    MacroCommand c = item(row);
    c.keyword = k;
    model_.setRow(row, c);
}

void TListView::setParams(int row, const QString& p) {
    MacroCommand c = item(row);
    c.params = p;
    model_.setRow(row, c);
}

void TListView::setIcon(int row, int icon) {
    MacroCommand c = item(row);
    c.icon = icon;
    model_.setRow(row, c);
}

int TListView::add(const MacroCommand& c) {
    model_.insertRows(count(), {c});
    return count() - 1;
}

void TListView::insert(int row, const MacroCommand& c) { model_.insertRows(qBound(0, row, count()), {c}); }

void TListView::append(const QVector<MacroCommand>& rows) { model_.insertRows(count(), rows); }

void TListView::remove(int row) {
    if (!hasRow(row)) return;
    emit deletion(row, item(row));
    model_.removeRowAt(row);
}

void TListView::clear() { model_.clearRows(); }

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
    selectionModel()->select(model_.index(row, 0),
                             (on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                 QItemSelectionModel::Rows);
    if (on) selectionModel()->setCurrentIndex(model_.index(row, 0), QItemSelectionModel::NoUpdate);
}

void TListView::clearSelection() { selectionModel()->clearSelection(); }

void TListView::scrollToRow(int row) {
    if (hasRow(row)) scrollTo(model_.index(row, 0), QAbstractItemView::EnsureVisible);
}
