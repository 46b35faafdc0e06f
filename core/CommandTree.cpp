#include "core/CommandTree.h"

#include "core/CommandTreeNodes.h"
#include "core/Description.h"
#include "core/Unit1.h"

#include <QTreeWidget>

QVector<TDetailOrder> TAllDetailOrder;

namespace {

QStringList nodeLines() { return QString::fromUtf16(kCommandTreeNodes).split(u'\n'); }

}  // namespace

void BuildCommandTree(QTreeWidget* tree) {
    QVector<QTreeWidgetItem*> parents;
    for (const QString& line : nodeLines()) {
        const qsizetype level = (line.size() - QStringView(line).trimmed().size()) / 2;
        parents.resize(level);
        auto* node = level == 0 ? new QTreeWidgetItem(tree, {line.trimmed()})
                                : new QTreeWidgetItem(parents.last(), {line.trimmed()});
        parents << node;
    }
}

int BuiltInCommandNodes() { return int(nodeLines().size()); }

void FillCommandNames() {
    TAllDetailOrder.clear();
    if (!Form1.made() || !Form1.made()->TreeView1) return;
    for (QTreeWidgetItemIterator it(Form1->TreeView1); *it; ++it)
        TAllDetailOrder.append({(*it)->text(0), (*it)->text(0)});
}

void SetCommandDisplayName(const QString& name, int index) {
    if (index < 0 || index >= TAllDetailOrder.size()) return;
    TAllDetailOrder[index].DisplayName = name;
    if (QTreeWidgetItem* node = Form1.made() ? ItemAtAbsoluteIndex(Form1->TreeView1, index) : nullptr) node->setText(0, name);
}

QString GetTreeViewFullText(const QObject* control, bool baseNames) {
    const auto* tree = qobject_cast<const QTreeWidget*>(control);
    const QTreeWidgetItem* node = tree ? tree->currentItem() : nullptr;
    QStringList parts;
    for (int level = 0; node && level < 3; ++level, node = node->parent()) {
        const int index = AbsoluteIndex(node);
        const bool known = index >= 0 && index < TAllDetailOrder.size();
        parts.prepend(!known ? node->text(0)
                      : baseNames ? TAllDetailOrder[index].BaseName
                                  : TAllDetailOrder[index].DisplayName);
    }
    return parts.join(QStringLiteral(" > "));
}
