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
#include <QImage>

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

// The 15 exports in their order, each missing one named in a message box;
// those that describe the command are called as soon as they are found.
bool lookUpExports(TDynamiqueOrder& e, const QStringList& present) {
    const TPluginFunctions& f = e.F;
    bool all = true;
    auto found = [&](const char* name) {
        const bool there = present.contains(QLatin1String(name));
        if (!there) warn(QString::fromLatin1(name) + QStringLiteral(" no found."));
        all = all && there;
        return there;
    };
    if (found("ReceiveHandleApp")) f.ReceiveHandleApp(engineServices().MainWindow());
    if (found("ReceiveHandleLibrary")) f.ReceiveHandleLibrary(e.Module);
    f.Host->setHandles(engineServices().MainWindow(), e.Module);
    if (found("GetInfoName")) e.Name = f.GetInfoName();
    if (!e.Name.isEmpty()) f.Host->setName(e.Name);
    if (found("GetInfoRubrique")) e.Rubrique = f.GetInfoRubrique();
    if (found("GetInfoHint")) e.Hint = f.GetInfoHint();
    if (found("GetInfoDescription")) e.Description = f.GetInfoDescription();
    for (const char* name : {"GetInfoIcon", "GetInfoFromOrvanel", "GetListOrder", "Debug", "MsgDebug", "NewOrdre",
                             "ExecuteOrder", "StopOrder", "ChangeOrdre"})
        found(name);
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
    bool bad = false;
    const QImage image = e.F.GetInfoIcon(bad);
    if (bad)
        warn(QStringLiteral("L'image du plug-in « %1 » est illisible : son bouton prend l'image des plug-ins.").arg(e.Name));
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
    TDynamiqueOrder& e = DynamiqueOrders[index];
    e.LibraryPath = file;
    e.F.Host = std::make_shared<TPluginHost>(file);
    QStringList exports;
    if (const QString refused = e.F.Host->load(exports); !refused.isEmpty()) {
        warn(refused);
        e.F.Host.reset();
        return -1;
    }
    static quint32 lastModule = 0;
    e.Module = ++lastModule;
    if (!lookUpExports(e, exports) || !usableName(e)) {
        // Nothing of it will be called again.
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
    const bool ok = f.Debug(params);
    return {true, ok, f.MsgDebug(params)};
}

void RemoveCommandPlugin(int index) {
    if (index <= 0 || index >= DynamiqueOrders.size()) return;
    TDynamiqueOrder& e = DynamiqueOrders[index];
    const QString category = e.Rubrique;
    delete e.Button.data();
    e = TDynamiqueOrder();
    emit PluginEvents().Removed(category);
}

void FreePlugins() {
    for (TDynamiqueOrder& e : DynamiqueOrders) delete e.Button.data();
    DynamiqueOrders = QVector<TDynamiqueOrder>(1);
}

void NotePluginMovedRun() { runMoved = true; }

bool RunPluginCommand(const QString& keyword, const QString& params) {
    const int index = GetNewOrderIndex(keyword);
    if (index < 0) return false;
    runMoved = false;
    if (const QString fault = DynamiqueOrders[index].F.ExecuteOrder(params); !fault.isEmpty()) Runner->RaiseExecError(fault, 0);
    return std::exchange(runMoved, false);
}

pluginwire::Message TPluginFunctions::ask(const char* function, std::vector<std::string> texts,
                                          std::vector<int64_t> numbers, TPluginHost::Wait wait) const {
    // The plug-in's messages may remove this entry during the call: the host
    // is held here, and nothing of the entry is read after it.
    const std::shared_ptr<TPluginHost> host = Host;
    if (!host) return {};
    TPluginHost::Reply r = host->call(function, std::move(texts), std::move(numbers), wait);
    if (!r.fault.isEmpty()) warn(r.fault);
    return r.message;
}

QString TPluginFunctions::askText(const char* function, std::vector<std::string> texts, TPluginHost::Wait wait) const {
    return QString::fromStdString(ask(function, std::move(texts), {}, wait).text(0));
}

void TPluginFunctions::ReceiveHandleApp(quint64 window) const { ask("ReceiveHandleApp", {}, {qint64(window)}); }
void TPluginFunctions::ReceiveHandleLibrary(quint32 module) const { ask("ReceiveHandleLibrary", {}, {module}); }
QString TPluginFunctions::GetInfoName() const { return askText("GetInfoName"); }
QString TPluginFunctions::GetInfoRubrique() const { return askText("GetInfoRubrique"); }
QString TPluginFunctions::GetInfoHint() const { return askText("GetInfoHint"); }
QString TPluginFunctions::GetInfoDescription() const { return askText("GetInfoDescription"); }

QImage TPluginFunctions::GetInfoIcon(bool& bad) const {
    // The host sends the lines its first line announces; they are read here as an XPM file.
    const std::shared_ptr<TPluginHost> host = Host;  // held through the call, as in ask()
    const TPluginHost::Reply r = host ? host->call("GetInfoIcon") : TPluginHost::Reply{};
    QImage image;
    bad = !r.ok || r.message.number(0) == 2;
    if (r.message.number(0) != 1) return image;
    QByteArray xpm = "/* XPM */\nstatic char* icon[] = {\n";
    for (const std::string& line : r.message.texts) {
        bad = bad || line.find_first_of("\"\\") != std::string::npos;
        xpm += '"' + QByteArray::fromStdString(line) + "\",\n";
    }
    xpm += "};\n";
    bad = bad || !image.loadFromData(xpm, "XPM");
    if (bad) image = QImage();
    return image;
}

void TPluginFunctions::GetInfoFromOrvanel(const QString& key, const QString& text, int value, bool valid) const {
    ask("GetInfoFromOrvanel", {key.toStdString(), text.toStdString()}, {value, valid ? 1 : 0});
}
void TPluginFunctions::GetListOrder(const QString& keyword, const QString& params, bool found) const {
    ask("GetListOrder", {keyword.toStdString(), params.toStdString()}, {found ? 1 : 0});
}
bool TPluginFunctions::Debug(const QString& params) const { return ask("Debug", {params.toStdString()}).number(0) != 0; }
QString TPluginFunctions::MsgDebug(const QString& params) const { return askText("MsgDebug", {params.toStdString()}); }
QString TPluginFunctions::NewOrdre() const { return askText("NewOrdre", {}, TPluginHost::Wait::Person); }
QString TPluginFunctions::ChangeOrdre(const QString& params) const {
    return askText("ChangeOrdre", {params.toStdString()}, TPluginHost::Wait::Person);
}
QString TPluginFunctions::ExecuteOrder(const QString& params) const {
    const std::shared_ptr<TPluginHost> host = Host;  // held through the call, as in ask()
    return host ? host->call("ExecuteOrder", {params.toStdString()}, {}, TPluginHost::Wait::Run).fault : QString();
}
// A plug-in busy with a row of the run that stops hears nothing: its row's wait ends it.
void TPluginFunctions::StopOrder() const {
    if (Host && Host->listening()) ask("StopOrder");
}
