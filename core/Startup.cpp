// Start-up of the main window: its creation, the initialisation that reads
// the settings, plug-ins, positions and recent files, and the command line.
#include "core/Startup.h"
#include "core/BuildInfo.h"
#include "core/CommandTree.h"
#include "core/Description.h"
#include "core/Dialogs.h"
#include "core/Form.h"
#include "core/MacroFile.h"
#include "core/MacroList.h"
#include "core/ProcessPriority.h"
#include "core/Services.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "look/UBackGround.h"
#include "look/XPMenu.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>

TXPMenu* MainXPMenu = nullptr;
QStringList DescriptionLines;

namespace {
const QString kLoadingText = QStringLiteral("Chargement des commandes en cours, veuillez patienter SVP.");

QStringList& argumentsOverride() {
    static QStringList args;
    return args;
}

// Start-up stops: the reason goes to standard error.
bool startupError(const QString& text) {
    std::fputs((QStringLiteral("Orvanel : ") + text + u'\n').toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    return false;
}

// The palette buttons whose glyphs are the command icons.
constexpr std::pair<int, int> kPaletteGlyphs[] = {
    {1, 0},   {2, 4},   {3, 2},   {4, 3},   {5, 5},   {6, 7},   {7, 8},   {8, 6},
    {9, 9},   {10, 10}, {11, 11}, {12, 12}, {13, 13}, {14, 14}, {15, 16}, {16, 18},
    {17, 20}, {18, 21}, {19, 22}, {22, 26}, {37, 27}, {38, 28}, {30, 29}, {31, 30},
};

// The macro file of the command line: the first argument, or, when a path
// with blanks was split, the arguments joined back until an extension.
QString commandLineMacro(const QStringList& args) {
    const QString first = args.value(1);
    if (first.isEmpty() || first == u"/edt" || first == u"/fromExport") return QString();
    if (QFileInfo::exists(first)) return first;
    QString joined;
    TForm1::GetExecParam(1, joined);
    return QFileInfo::exists(joined) ? joined : first;
}
}  // namespace

QStringList ProgramArguments() {
    return argumentsOverride().isEmpty() ? QCoreApplication::arguments() : argumentsOverride();
}

void SetProgramArguments(const QStringList& arguments) { argumentsOverride() = arguments; }

void TForm1::buildStartupUi() {
    // "Récents" in the file menu, above its last separator.
    Recents1 = new QMenu(QStringLiteral("Récents"), this);
    Recents1->setObjectName(QStringLiteral("Recents1"));
    Recents1->menuAction()->setObjectName(QStringLiteral("Recents1Item"));
    QAction* before = Quitter1;
    const QList<QAction*> fileItems = MenuFichier->actions();
    const int quit = int(fileItems.indexOf(Quitter1));
    if (quit > 0 && fileItems[quit - 1]->isSeparator()) before = fileItems[quit - 1];
    MenuFichier->insertMenu(before, Recents1);

    mesoutils1 = MenuOutils->addMenu(QStringLiteral("Mes Outils"));
    mesoutils1->setObjectName(QStringLiteral("mesoutils1"));

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    Apropos2 = PopupMenu3->addAction(QStringLiteral("A propos..."));
    Apropos2->setObjectName(QStringLiteral("Apropos2"));
    Quitter2 = PopupMenu3->addAction(QStringLiteral("Quitter la macro"));
    Quitter2->setObjectName(QStringLiteral("Quitter2"));
    connect(Apropos2, &QAction::triggered, this, [] {
        if (QWidget* about = Window(23)) about->show();
    });
    connect(Quitter2, &QAction::triggered, this, [this] {
        if (RunState().ExecState != 0) Stop1Click();
        close();
    });

    // The banner along the top of the window.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedHeight(12);
    Image1->setScaledContents(true);
    Image1->resize(width(), Image1->height());
    if (auto* layout = qobject_cast<QVBoxLayout*>(centralWidget()->layout())) layout->insertWidget(0, Image1);

    auto* help = new QAction(this);
    help->setObjectName(QStringLiteral("HelpKey"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WindowShortcut);
    addAction(help);
    connect(help, &QAction::triggered, this, &TForm1::HelpRequested);

}

void TForm1::FormCreate() {
    MainXPMenu = new TXPMenu(this);
    MainXPMenu->SetActive(true);
    UBackGround::DrawBanner(Image1);
    for (const auto& [button, image] : kPaletteGlyphs)
        if (auto* b = findChild<QAbstractButton*>(QStringLiteral("SpeedButton%1").arg(button)))
            if (!b->icon().isNull()) CommandIcons::setIcon(image, b->icon());
    ArrangeViews();
    PageControl1->setCurrentWidget(TabSheet1);
    if (auto* page = findChild<QWidget*>(QStringLiteral("TabSheet6"))) PageControl2->setCurrentWidget(page);
    setAcceptDrops(true);
}

bool TForm1::InitForm1() {
    std::srand(unsigned(std::time(nullptr)));
    // Numbers are written and read with "." whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    Services().BuildSystemVariables();
    ArrangeMainMenu();  // items added to the menus once the window was made
    LoadToolbarGlyphs();
    StartWithNormalPriority();
    platform::RemoveStrayTemporaryFiles(platform::programFolder());  // saves a kill cut short

    // The command line first: a macro run without the editor has nobody to
    // answer what loading the plug-ins may ask.
    const QStringList args = ProgramArguments();
    StartMode().editOnOpen = args.size() > 1 && args.last() == u"/edt";
    StartMode().exportOnOpen = args.size() > 1 && args.last() == u"/fromExport";
    CommandLineFile = commandLineMacro(args);
    StartMode().commandLineRun = !CommandLineFile.isEmpty() && !StartMode().editOnOpen;

    {
        const platform::IniFile ini(GetConfigFileName());
        settings().Language = ini.ReadString("Langage", "Lng", settings().Language);
        for (const QString& line : ini.ReadSectionValues("DynOrder")) {
            const QString path = line.mid(line.indexOf(u'=') + 1);
            if (path != u"nil") Services().LoadPlugin(path);
        }
        Services().AddPluginNodes();
        FillCommandNames();
        if (settings().Language != u"Français") Services().LoadLanguageFile(settings().Language);
    }
    ReadWindowPositions();
    ReadRecents();

    if (CommandLineFile.isEmpty()) {
        Nouveau1Click();
    } else {
        CommandLineFile = GetLongFileName(CommandLineFile);
        QString unopened;  // why the file cannot be opened
        if (!QFileInfo(CommandLineFile).isFile()) unopened = QStringLiteral("est introuvable");
        else if (QFile file(CommandLineFile); !file.open(QIODevice::ReadOnly)) unopened = QStringLiteral("ne peut pas être lu");
        const QString what = QStringLiteral("fichier de macro « %1 » %2").arg(CommandLineFile, unopened);
        if (!unopened.isEmpty() && !StartMode().editOnOpen) return startupError(QStringLiteral("le ") + what + u'.');
        if (!unopened.isEmpty()) {
            // The editor was asked for: it opens on a new macro and says why, once shown.
            Nouveau1Click();
            QTimer::singleShot(0, this, [what] {
                MessageDlg(QStringLiteral("Le ") + what + QStringLiteral(" : une nouvelle macro est ouverte."),
                           MsgType::Warning, mbOK);
            });
        } else {
            OpenFileMacro(CommandLineFile, ListView1, kLoadingText, -1);
        }
        const bool loaded = StatusPanel[0]->text() != u"Nouvelle macro" || ListView1->count() > 0;
        if (!loaded && !StartMode().editOnOpen)
            return startupError(QStringLiteral("la macro « %1 » n'a pas pu être ouverte.").arg(CommandLineFile));
        QString openMode;
        GetInitialValueofVar(QStringLiteral("[MACRO.OPENMODE]"), QChar(), openMode);
        if (openMode == u"EDIT") {
            StartMode().editOnOpen = true;
            StartMode().commandLineRun = false;  // the editor is open: its views follow the list again
        }
        // A macro with a settings file of its own keeps its windows' positions there.
        if (GetConfigFileName() != platform::programFile(QStringLiteral("config.ini"))) ReadWindowPositions();
    }

    Services().RegisterStartupHotKeys();
    if (!CommandLineFile.isEmpty() && !StartMode().editOnOpen) AddTrayIcon();

    LoadDescriptionLines();
    return true;
}

void TForm1::GetExecParam(int n, QString& value) {
    value.clear();
    const QStringList args = ProgramArguments().mid(1);
    QString joined;
    int found = 0;
    for (const QString& arg : args) {
        joined = joined.isEmpty() ? arg : joined + u' ' + arg;
        // An extension: a dot in the last part of the path.
        if (joined.lastIndexOf(u'.') > joined.lastIndexOf(u'/')) {
            if (++found == n) {
                value = joined;
                return;
            }
            joined.clear();
        }
    }
}

void TForm1::GetLongFileName(const QString& path, QString& longName) { longName = GetLongFileName(path); }

QString TForm1::GetLongFileName(const QString& path) {
    if (path.isEmpty()) return path;
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
