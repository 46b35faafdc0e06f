// Command plug-ins: loading the libraries, their palette buttons, and what
// the editor, the checker and the runner ask of them.
#include "engine/GestionCommande.h"

#include "core/CommandNames.h"
#include "core/Dialogs.h"
#include "core/History.h"
#include "core/MacroList.h"
#include "core/Params.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "core/Rtf.h"
#include "look/XPMenu.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>


QVector<TDynamiqueOrder> DynamiqueOrders(1);
bool CancelNewOrder = false;

namespace {

// Command icons: the neutral picture (an index nothing draws) stands for a
// plug-in without a picture of its own; plug-in n draws at kFirstImage + n.
constexpr int kDefaultImage = 63;
constexpr int kFirstImage = 64;
constexpr int kMaxKeywordLength = 20;

QString text(const char* s) { return s ? QString::fromUtf8(s) : QString(); }

void warn(const QString& message) { MessageDlg(message, MsgType::Error, mbOK); }

// A path as written, else the program folder, else its folder "Plugins"; empty
// when none exists, with the last place tried in `tried`. A bare file name is
// looked for in the program's own folders only, never in the current folder,
// where anybody may have put a library of that name.
QString findLibrary(const QString& path, QString& tried) {
    const QString name = QFileInfo(path).fileName();
    QStringList candidates = {platform::programFile(name),
                              QDir(platform::programFile(QStringLiteral("Plugins"))).filePath(name)};
    if (path.contains(u'/')) candidates.prepend(path);
    for (const QString& candidate : std::as_const(candidates)) {
        tried = candidate;
        if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).absoluteFilePath();
    }
    return QString();
}

// Looks one export up; a missing one is named in a message box.
template <class Function>
bool lookUp(platform::HMODULE module, const char* name, Function& slot) {
    slot = reinterpret_cast<Function>(platform::GetProcAddress(module, name));
    if (!slot) warn(QString::fromLatin1(name) + QStringLiteral(" no found."));
    return slot != nullptr;
}

// The 15 exports in their order; those that describe the command are called
// as soon as they are found.
bool lookUpExports(TDynamiqueOrder& e) {
    TPluginFunctions& f = e.F;
    const platform::HMODULE m = e.Module;
    bool all = true;
    auto found = [&all](bool present) {
        all = all && present;
        return present;
    };
    if (found(lookUp(m, "ReceiveHandleApp", f.ReceiveHandleApp))) f.ReceiveHandleApp(Form1->winId());
    if (found(lookUp(m, "ReceiveHandleLibrary", f.ReceiveHandleLibrary))) f.ReceiveHandleLibrary(m);
    if (found(lookUp(m, "GetInfoName", f.GetInfoName))) e.Name = text(f.GetInfoName());
    if (found(lookUp(m, "GetInfoRubrique", f.GetInfoRubrique))) e.Rubrique = text(f.GetInfoRubrique());
    if (found(lookUp(m, "GetInfoHint", f.GetInfoHint))) e.Hint = text(f.GetInfoHint());
    if (found(lookUp(m, "GetInfoDescription", f.GetInfoDescription))) e.Description = text(f.GetInfoDescription());
    found(lookUp(m, "GetInfoIcon", f.GetInfoIcon));
    found(lookUp(m, "GetInfoFromOrvanel", f.GetInfoFromOrvanel));
    found(lookUp(m, "GetListOrder", f.GetListOrder));
    found(lookUp(m, "Debug", f.Debug));
    found(lookUp(m, "MsgDebug", f.MsgDebug));
    found(lookUp(m, "NewOrdre", f.NewOrdre));
    found(lookUp(m, "ExecuteOrder", f.ExecuteOrder));
    found(lookUp(m, "StopOrder", f.StopOrder));
    found(lookUp(m, "ChangeOrdre", f.ChangeOrdre));
    return all;
}

// A keyword a macro file can hold and that no built-in command has.
bool usableName(const TDynamiqueOrder& e) {
    if (!e.Name.isEmpty() && e.Name.size() <= kMaxKeywordLength && CommandCase(e.Name) == 0) return true;
    warn(QStringLiteral("Le plug-in %1 donne un nom de commande inutilisable (« %2 ») : il faut de 1 à %3 caractères "
                        "et aucun nom de commande intégrée.")
             .arg(e.LibraryPath, e.Name)
             .arg(kMaxKeywordLength));
    return false;
}

// The palette tab of a category; made when missing.
QWidget* palettePage(const QString& caption) {
    QTabWidget* tabs = Form1->PageControl2;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == caption) return tabs->widget(i);
    auto* page = new QWidget(tabs);
    tabs->addTab(page, caption);
    return page;
}

// The picture of the plug-in's rows and button: its XPM data, else the neutral one.
void setPicture(TDynamiqueOrder& e, int index) {
    e.ImageIndex = kFirstImage + index;
    QImage image;
    if (const char* const* xpm = e.F.GetInfoIcon()) image = QImage(xpm);
    CommandIcons::setIcon(e.ImageIndex,
                          image.isNull() ? CommandIcons::icon(kDefaultImage) : QIcon(QPixmap::fromImage(image)));
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

}  // namespace

int LoadCommandPlugin(const QString& path) {
    DynamiqueOrders.append(TDynamiqueOrder{});
    const int index = int(DynamiqueOrders.size()) - 1;
    QString tried;
    const QString file = findLibrary(path, tried);
    if (file.isEmpty()) {
        warn(tried + QStringLiteral(" not found."));
        return -1;
    }
    QString reason;
    const platform::HMODULE module = platform::LoadLibrary(file, &reason);
    TDynamiqueOrder& e = DynamiqueOrders[index];
    e.LibraryPath = file;
    if (!module) {
        warn(QStringLiteral("Le dll séléctionné n'est pas une nouvelle commande valide. (%1)\n%2").arg(file, reason));
        return -1;
    }
    e.Module = module;
    if (!lookUpExports(e) || !usableName(e)) {
        // Nothing of it will be called again.
        platform::FreeLibrary(module);
        e = TDynamiqueOrder{};
        e.LibraryPath = file;
        return -1;
    }
    setPicture(e, index);
    addPaletteButton(e, index);
    return index;
}

int GetNewOrderIndex(const QString& keyword) {
    if (keyword.isEmpty()) return -1;
    for (int i = 1; i < DynamiqueOrders.size(); ++i)
        if (DynamiqueOrders[i].Name == keyword) return i;
    return -1;
}

int GetPluginIndex(quint64 module) {
    for (int i = 1; i < DynamiqueOrders.size(); ++i)
        if (DynamiqueOrders[i].Module != 0 && DynamiqueOrders[i].Module == module && !DynamiqueOrders[i].Name.isEmpty())
            return i;
    return 0;
}

void StopPluginCommands() {
    for (int i = 1; i < DynamiqueOrders.size(); ++i)
        if (!DynamiqueOrders[i].Name.isEmpty()) DynamiqueOrders[i].F.StopOrder();
}

void OnClickNewOrder(QAbstractButton* button) {
    const int index = button->property("Tag").toInt();
    if (index <= 0 || index >= DynamiqueOrders.size() || DynamiqueOrders[index].Name.isEmpty()) return;
    const TDynamiqueOrder& e = DynamiqueOrders[index];
    showDescription(e, text(e.F.GetInfoDescription()));
    enableButton(index, false);
    CancelNewOrder = false;
    const QString params = text(e.F.NewOrdre());
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
    const QString after = text(e.F.ChangeOrdre(before.toUtf8().constData()));
    if (!CancelNewOrder && edited.isValid() && after != before && fitsInRow(e, after)) {
        list->setParams(edited.row(), after);
        Form1->SaveBeforeChange(edited.row());
    }
    EditMode = false;
    enableButton(index, true);
    return true;
}

PluginCheck CheckPluginRow(const QString& keyword, const QString& params) {
    const int index = GetNewOrderIndex(keyword);
    if (index < 0) return {};
    const TPluginFunctions& f = DynamiqueOrders[index].F;
    const QByteArray bytes = params.toUtf8();
    const bool ok = f.Debug(bytes.constData()) != 0;
    return {true, ok, text(f.MsgDebug(bytes.constData()))};
}

void RemoveCommandPlugin(int index) {
    if (index <= 0 || index >= DynamiqueOrders.size()) return;
    TDynamiqueOrder& e = DynamiqueOrders[index];
    delete e.Button.data();
    if (e.Module) platform::FreeLibrary(e.Module);
    const QString category = e.Rubrique;
    e = TDynamiqueOrder();
    QTabWidget* tabs = Form1 ? Form1->PageControl2 : nullptr;
    for (int i = tabs ? tabs->count() - 1 : -1; i >= 0; --i) {
        const QString caption = tabs->tabText(i);
        if (caption != category || caption == u"Standard" || caption == u"Supplément") continue;
        if (tabs->widget(i)->findChildren<QWidget*>().isEmpty()) delete tabs->widget(i);
    }
}

void FreePlugins() {
    for (TDynamiqueOrder& e : DynamiqueOrders) {
        delete e.Button.data();
        if (e.Module) platform::FreeLibrary(e.Module);
    }
    DynamiqueOrders = QVector<TDynamiqueOrder>(1);
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
