#pragma once
// Row selection of the single-level tree widgets (watch list, history, check list).
#include <QTreeWidget>

// The first selected row, -1 when none.
inline int SelectedTopLevelRow(const QTreeWidget* tree) {
    const QList<QTreeWidgetItem*> items = tree->selectedItems();
    return items.isEmpty() ? -1 : tree->indexOfTopLevelItem(items.first());
}

// Selects exactly that row (none when there is no such row) and shows it.
inline void SelectOnlyTopLevelRow(QTreeWidget* tree, int row) {
    tree->clearSelection();
    if (QTreeWidgetItem* item = tree->topLevelItem(row)) {
        item->setSelected(true);
        tree->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        tree->scrollToItem(item);
    }
}
