// Command plug-ins: loading the libraries and what the editor, the checker
// and the runner ask of them. Their palette buttons and their rows' edits
// are the palette's (editors/PluginPalette.cpp), told by PluginEvents().
#include "engine/GestionCommande.h"

#include "core/CommandNames.h"
#include "core/Dialogs.h"
#include "core/MacroList.h"
#include "core/Params.h"
#include "engine/EngineServices.h"
#include "engine/Runner.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QToolButton>
#include <QFileInfo>

QVector<TDynamiqueOrder> DynamiqueOrders(1);
bool CancelNewOrder = false;

TPluginEvents& PluginEvents() {
    static TPluginEvents events;
    return events;
}

namespace {

// Command icons: the neutral picture (an index nothing draws) stands for a
// plug-in without a picture of its own; plug-in n draws at kFirstImage + n.
constexpr int kDefaultImage = 63;
constexpr int kFirstImage = 64;
constexpr int kMaxKeywordLength = 20;

// Set when a message placed the run on another row while the plug-in ran.
bool runMoved = false;

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
    if (found(lookUp(m, "ReceiveHandleApp", f.ReceiveHandleApp))) f.ReceiveHandleApp(engineServices().MainWindow());
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

// The picture of the plug-in's rows and button: its XPM data, else the neutral one.
void setPicture(TDynamiqueOrder& e, int index) {
    e.ImageIndex = kFirstImage + index;
    QImage image;
    if (const char* const* xpm = e.F.GetInfoIcon()) image = QImage(xpm);
    CommandIcons::setIcon(e.ImageIndex,
                          image.isNull() ? CommandIcons::icon(kDefaultImage) : QIcon(QPixmap::fromImage(image)));
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
    emit PluginEvents().Loaded(index);
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
    const QString category = e.Rubrique;
    delete e.Button.data();
    if (e.Module) platform::FreeLibrary(e.Module);
    e = TDynamiqueOrder();
    emit PluginEvents().Removed(category);
}

void FreePlugins() {
    for (TDynamiqueOrder& e : DynamiqueOrders) {
        delete e.Button.data();
        if (e.Module) platform::FreeLibrary(e.Module);
    }
    DynamiqueOrders = QVector<TDynamiqueOrder>(1);
}

void NotePluginMovedRun() { runMoved = true; }

bool RunPluginCommand(const QString& keyword, const QString& params) {
    const int index = GetNewOrderIndex(keyword);
    if (index < 0) return false;
    const TDynamiqueOrder& e = DynamiqueOrders[index];
    const QString name = e.Name;
    const auto execute = e.F.ExecuteOrder;
    runMoved = false;
    try {
        execute(params.toUtf8().constData());
    } catch (const std::exception& failure) {
        Runner->RaiseExecError(QString::fromLocal8Bit(failure.what()), 0);
    } catch (...) {
        Runner->RaiseExecError(QStringLiteral("Le plug-in « %1 » a échoué sur une erreur inconnue.").arg(name), 0);
    }
    return std::exchange(runMoved, false);
}
