// The palette side of the command plug-ins: a button per loaded plug-in on
// the palette page of its category, its description, the rows it adds and
// edits, and its node in the command tree.
#include "editors/PluginPalette.h"

#include "core/Dialogs.h"
#include "core/History.h"
#include "core/MacroList.h"
#include "core/Params.h"
#include "core/Rtf.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "engine/GestionCommande.h"
#include "look/XPMenu.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

namespace {

void warn(const QString& message) { MessageDlg(message, MsgType::Error, mbOK); }

// The palette tab of a category; made when missing.
QWidget* palettePage(const QString& caption) {
    QTabWidget* tabs = Form1->PageControl2;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == caption) return tabs->widget(i);
    auto* page = new QWidget(tabs);
    tabs->addTab(page, caption);
    return page;
}

// After the buttons already on the page, built-in or not, the size and step of the built-in ones.
void addPaletteButton(TDynamiqueOrder& e, int index) {
    QWidget* page = palettePage(e.Rubrique);
    const qsizetype place = page->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly).size();
    auto* b = new QToolButton(page);
    b->setObjectName(QStringLiteral("DynamiqueOrder%1").arg(index));
    b->setProperty("Tag", index);
    b->setToolTip(e.Hint);
    b->setIcon(CommandIcons::icon(e.ImageIndex));
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    const QToolButton* first = Form1->PaletteButton(1);
    const QToolButton* second = Form1->PaletteButton(2);
    const QRect shape = first ? first->geometry() : QRect(4, 4, 30, 30);
    const int step = first && second ? second->x() - first->x() : 32;
    b->setGeometry(shape.x() + int(place) * step, shape.y(), shape.width(), shape.height());
    if (MainXPMenu && MainXPMenu->Active()) MainXPMenu->StyleComponent(b);
    QObject::connect(b, &QToolButton::clicked, b, [b] { OnClickNewOrder(b); });
    b->show();
    e.Button = b;
}

// The description of a plug-in in the main window's description panel, when it has one.
void showDescription(const TDynamiqueOrder& e, const QString& description) {
    auto* panel = Form1->findChild<QTextEdit*>(QStringLiteral("RichEdit2"));
    if (!panel) return;
    QFile file(QFileInfo(e.LibraryPath).dir().filePath(description));
    if (!description.isEmpty() && file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        panel->clear();
        if (bytes.startsWith("{\\rtf")) {
            QTextCursor cursor(panel->document());
            rtf::insert(cursor, bytes);
        } else {
            panel->setPlainText(QString::fromUtf8(bytes));
        }
    } else {
        panel->setPlainText(description);
    }
    if (auto* tab = Form1->findChild<QWidget*>(QStringLiteral("TabSheet3")); tab && !panel->toPlainText().isEmpty())
        Form1->PageControl1->setCurrentWidget(tab);
}

// A parameter string that a row can hold; a longer one is refused and said so.
bool fitsInRow(const TDynamiqueOrder& e, const QString& params) {
    if (params.size() <= kMaxFieldLength) return true;
    warn(QStringLiteral("Le plug-in « %1 » a donné des paramètres de plus de %2 caractères : la commande reste inchangée.")
             .arg(e.Name)
             .arg(kMaxFieldLength));
    return false;
}

void enableButton(int index, bool on) {
    if (QToolButton* b = DynamiqueOrders[index].Button) b->setEnabled(on);
}

// A category's page goes once nothing is left on it (never "Standard" nor "Supplément").
void removeEmptyPage(const QString& category) {
    QTabWidget* tabs = Form1.made() ? Form1->PageControl2 : nullptr;
    for (int i = tabs ? tabs->count() - 1 : -1; i >= 0; --i) {
        const QString caption = tabs->tabText(i);
        if (caption != category || caption == u"Standard" || caption == u"Supplément") continue;
        if (tabs->widget(i)->findChildren<QWidget*>().isEmpty()) delete tabs->widget(i);
    }
}

}  // namespace

void InstallPluginPalette(QObject& owner) {
    QObject::connect(&PluginEvents(), &TPluginEvents::Loaded, &owner,
                     [](int index) { addPaletteButton(DynamiqueOrders[index], index); });
    QObject::connect(&PluginEvents(), &TPluginEvents::Removed, &owner, removeEmptyPage);
}

void OnClickNewOrder(QAbstractButton* button) {
    const int index = button->property("Tag").toInt();
    if (index <= 0 || index >= DynamiqueOrders.size() || DynamiqueOrders[index].Name.isEmpty()) return;
    const TDynamiqueOrder& e = DynamiqueOrders[index];
    showDescription(e, e.F.GetInfoDescription());
    enableButton(index, false);
    CancelNewOrder = false;
    const QString params = e.F.NewOrdre();
    if (!CancelNewOrder && fitsInRow(e, params)) {
        const EditModeAs add(false);  // a dialog may be modifying a row meanwhile
        Form1->add_insert(e.Name, params, e.ImageIndex);
    }
    enableButton(index, true);
}

bool EditPluginRow(int row) {
    TListView* list = Form1->ListView1;
    const int index = list->hasRow(row) ? GetNewOrderIndex(list->keyword(row)) : -1;
    if (index < 0) return false;
    const TDynamiqueOrder& e = DynamiqueOrders[index];
    // The row itself, wherever the plug-in's own window lets edits move it.
    const QPersistentModelIndex edited = list->items().index(row, 0);
    const QString before = list->params(row);
    enableButton(index, false);
    CancelNewOrder = false;
    const QString after = e.F.ChangeOrdre(before);
    if (!CancelNewOrder && edited.isValid() && after != before && fitsInRow(e, after)) {
        list->setParams(edited.row(), after);
        Form1->SaveBeforeChange(edited.row());
    }
    RowEditing().modifying = false;
    enableButton(index, true);
    return true;
}

void AddPluginNodes(QTreeWidget* tree) {
    auto childNamed = [](QTreeWidgetItem* parent, const QString& name) {
        for (int i = 0; i < parent->childCount(); ++i)
            if (parent->child(i)->text(0) == name) return parent->child(i);
        return new QTreeWidgetItem(parent, {name});
    };
    auto* root = new QTreeWidgetItem(tree, {QStringLiteral("Plugins")});
    for (const TDynamiqueOrder& e : std::as_const(DynamiqueOrders)) {
        if (e.Name.isEmpty()) continue;
        auto* node = new QTreeWidgetItem(childNamed(root, e.Rubrique), {e.Name});
        node->setIcon(0, CommandIcons::icon(e.ImageIndex));
    }
}
