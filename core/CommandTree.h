#pragma once
// The command tree of the main window (TreeView1): every command and its
// variants, up to three levels, then the plug-in nodes. Each node has an
// entry in TAllDetailOrder at its absolute (pre-order) index: its built-in
// name, on which double-clicks dispatch, and the name shown in the current
// language.
#include <QString>
#include <QVector>

class QObject;
class QTreeWidget;

struct TDetailOrder {
    QString BaseName;     // the node's text when the table was filled
    QString DisplayName;  // its text in the current language
};
extern QVector<TDetailOrder> TAllDetailOrder;

// The built-in nodes, appended to tree in their order.
void BuildCommandTree(QTreeWidget* tree);
// The number of built-in nodes.
int BuiltInCommandNodes();
// One entry per node of the main window's tree, both names its text.
void FillCommandNames();
// Entry index and its node take that name; an index outside the table does nothing.
void SetCommandDisplayName(const QString& name, int index);
// The path of the selected node of control: its grandparent, parent and
// itself (those that exist) joined by " > ", with the built-in names or the
// shown ones; empty when control is no tree or has no selected node.
QString GetTreeViewFullText(const QObject* control, bool baseNames);
