#include "apps/orvanel/Program.h"

#include "apps/orvanel/AppServices.h"
#include "apps/orvanel/PluginMenu.h"
#include "core/Debug.h"
#include "apps/orvanel/ProgramIcon.h"
#include "core/Unit1.h"
#include "editors/PluginPalette.h"
#include "editors/CommandTree.h"
#include "tools/ModuleSup.h"
#include "tools/OtherLang.h"
#include "editors/Unit2.h"
#include "editors/Unit3.h"
#include "editors/Unit4.h"
#include "editors/Unit5.h"
#include "editors/Unit6.h"
#include "editors/Unit7.h"
#include "editors/Unit8.h"
#include "editors/Unit9.h"
#include "engine/Unit10.h"
#include "editors/Unit11.h"
#include "editors/Unit12.h"
#include "editors/Unit13.h"
#include "editors/Unit14.h"
#include "editors/Unit15.h"
#include "editors/Unit16.h"
#include "editors/Unit17.h"
#include "editors/Unit18.h"
#include "tools/Unit19.h"
#include "engine/GestionCommande.h"
#include "engine/HotKeyManager.h"
#include "engine/Runner.h"
#include "engine/Unit20.h"
#include "engine/Unit21.h"
#include "editors/Unit22.h"
#include "tools/Unit23.h"
#include "editors/Unit24.h"
#include "editors/Unit25.h"
#include "editors/Unit26.h"
#include "editors/Unit27.h"
#include "editors/Unit28.h"
#include "core/Unit29.h"
#include "editors/Palette.h"
#include "editors/Unit30.h"
#include "core/Unit32.h"
#include "tools/Unit33.h"
#include "core/Unit34.h"
#include "core/Erreurcompil.h"
#include "editors/Unit36.h"
#include "tools/Unit37.h"
#include "core/CrashReport.h"
#include "core/CrashViewer.h"
#include "core/FatalSignal.h"
#include "core/Startup.h"
#include "core/Recovery.h"
#include "core/Settings.h"
#include "core/Windows.h"
#include "core/RunState.h"
#include "core/Waits.h"
#include "platform/DisplayLost.h"
#include "platform/Platform.h"
#include "platform/ProgramMessages.h"
#include "platform/Signals.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <cstdio>

namespace {

template <class T>
QWidget* make() {
    return new T;
}

// Every window but the main one, made on first use.
constexpr std::pair<int, WindowMaker> kWindows[] = {
    {2, make<TForm2>},   {3, make<TForm3>},   {4, make<TForm4>},   {5, make<TForm5>},   {6, make<TForm6>},
    {7, make<TForm7>},   {8, make<TForm8>},   {9, make<TForm9>},   {10, make<TForm10>}, {11, make<TForm11>},
    {12, make<TForm12>}, {13, make<TForm13>}, {14, make<TForm14>}, {15, make<TForm15>}, {16, make<TForm16>},
    {17, make<TForm17>}, {18, make<TForm18>}, {19, make<TForm19>}, {20, make<TForm20>}, {21, make<TForm21>},
    {22, make<TForm22>}, {23, make<TForm23>}, {24, make<TForm24>}, {25, make<TForm25>}, {26, make<TForm26>},
    {27, make<TForm27>}, {28, make<TForm28>}, {29, make<TForm29>}, {30, make<TForm30>}, {32, make<TForm32>},
    {33, make<TForm33>}, {34, make<TForm34>}, {35, make<TForm35>}, {36, make<TForm36>}, {37, make<TForm37>},
};

// What start-up does to every window, done to each one made later, in the
// order start-up does it: the settings' loading, then the main window's
// initialisation (InitForm1).
void placeWindow(QWidget& window) {
    if (TForm1* main = Form1.made()) main->ReadWindowPosition(window);
}

constexpr WindowPreparer kPreparers[] = {ApplyTextColors, ShowTakenHotKeys, LoadGlyphs, ApplyLanguageToWindow,
                                         placeWindow};

}  // namespace

TForm1* CreateForms() {
    for (const auto& [number, make] : kWindows) RegisterWindow(number, make);
    for (WindowPreparer prepare : kPreparers) OnWindowMade(prepare);
    // Every window, the tray and the About box show the program's icon.
    QApplication::setWindowIcon(ProgramIcon());
    auto* main = new TForm1;
    main->FollowRun(*new TRunner(*main->Macro, Debug::ProgramCheckReport(), main));
    InstallHotKeys(*main);
    InstallPluginPalette(*main);
    InstallPluginMessages(*main);
    AddPluginMenu(*main);
    BuildPalette(*main);
    BuildCommandTreeView(*main);
    BuildOtherLangMenus(*main);
    InstallSpyMenus();
    InstallExportMenu();
    QObject::connect(&settingsNotifier(), &TSettingsNotifier::loaded, main, ApplyGeneralColors);
    main->FormCreate();
    LoadSettings();  // from the settings file the main window names
    return main;
}

void DestroyForms() {
    if (TForm1* main = Form1.made()) main->FormDestroy();
    DestroyWindows();
    QList<QPointer<QWidget>> windows;  // what no window owned
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget()) windows << w;
    for (const QPointer<QWidget>& w : windows) delete w.data();
}

namespace {

// In a run from the command line, Esc in any of its windows (a "Message",
// a question, the pick list, a password) ends the run and the program.
class EndOnEscape : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
            Unattended()) {
            RequestEnd(QStringLiteral("arrêt demandé par la touche Échap."));
            return true;
        }
        return false;
    }
};

// The X server is gone: a run going on stops as Stop does, its report
// written, and the program ends with status 1 without a word to the server.
void endOnDisplayLost() {
    ReportUnattended(QStringLiteral("le serveur X a disparu : arrêt du programme."));
    WriteRecoveryCopy();
    if (RunState().ExecState == 0 && !RunState().MacroRunning) return;
    RunState().RunEndedInError = true;
    if (Runner) Runner->EndReport();
    Services().Run().Stop1Click();
}

}  // namespace

std::optional<int> StartProgram(TForm1* main) {
    qApp->installEventFilter(new EndOnEscape(main));
    if (!main->InitForm1()) return EndRequested() ? 1 : 2;
    if (main->CommandLineFile.isEmpty() || StartMode().editOnOpen) {
        main->show();
        TellRefusedHotKeys();
        StartRecoveryCopies(*main);
        OfferRecoveryCopies();
        AutoUpdateCheck();
        return std::nullopt;
    }
    // A macro without the editor: the window stays hidden, the list too (no history).
    main->ListView1->hide();
    RunState().AutoRun = true;
    if (StartMode().exportOnOpen) {
        QAction* exporter = main->findChild<QAction*>(QStringLiteral("Exporterversexecutable1"));
        if (!exporter) {
            std::fputs("Orvanel : l'export vers un exécutable n'est pas disponible.\n", stderr);
            return 1;
        }
        exporter->trigger();
        return EndRequested() ? 1 : 0;
    }
    // The run closes the main window when it ends; without a run engine the program ends here.
    if (main->Execute1) main->Execute1->trigger();
    else main->close();
    if (main->Closed || EndRequested()) return RunState().RunEndedInError || EndRequested() ? 1 : 0;
    return std::nullopt;
}

int RunProgram(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("Orvanel : aucun affichage X11 (la variable DISPLAY n'est pas définie). "
                   "Lancez le programme dans une session graphique.\n",
                   stderr);
        return 1;
    }
    OrvanelApplication app(argc, argv);  // shows what escapes an event handler in the crash report
    if (argc == 3 && qstrcmp(argv[1], "/crash") == 0) return ShowCrashReport(QString::fromLocal8Bit(argv[2]));
    InstallFatalSignalHandler(QCoreApplication::applicationFilePath());
    static AppServices services;
    InstallServices(&services);
    static AppEngineServices engineAnswers;
    InstallEngineServices(&engineAnswers);
    platform::OnTerminationSignal([] { RequestEnd(QStringLiteral("arrêt demandé par un signal.")); });
    QApplication::setApplicationName(platform::kOrvanelClass);  // the class of its windows
    UseQtTranslation(QStringLiteral("Français"));  // the interface's own, until the settings name another
    // The program ends when the main window closes, whatever other window is open.
    app.setQuitOnLastWindowClosed(false);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        auto x11 = platform::openX11Platform();
        if (!x11) {
            std::fputs("Orvanel : impossible d'ouvrir l'affichage X11.\n", stderr);
            return 1;
        }
        platform::setDesktop(std::move(x11));
        platform::OnDisplayLost(endOnDisplayLost);
    }
    TForm1* main = CreateForms();
    QObject::connect(main, &TForm1::MainWindowClosed, &app, [] { QCoreApplication::exit(0); });
    std::optional<int> status = StartProgram(main);
    // An end asked for before the event loop starts is not forgotten by it.
    if (!status && !EndRequested()) status = app.exec();
    // An end nobody chose keeps the changed macro's copy for the next start.
    if (EndRequested()) WriteRecoveryCopy();
    else RemoveRecoveryCopy();
    DestroyForms();
    return EndRequested() ? 1 : status.value_or(1);
}
