#include "apps/orvanel/Program.h"

#include "apps/orvanel/AppServices.h"
#include "apps/orvanel/PluginMenu.h"
#include "core/Unit1.h"
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
#include "core/Unit29.h"
#include "editors/Palette.h"
#include "editors/Unit30.h"
#include "engine/Unit31.h"
#include "core/Unit32.h"
#include "tools/Unit33.h"
#include "core/Unit34.h"
#include "core/Erreurcompil.h"
#include "editors/Unit36.h"
#include "tools/Unit37.h"
#include "core/CrashReport.h"
#include "core/Startup.h"
#include "core/RunState.h"
#include "platform/Platform.h"
#include "platform/Signals.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <cstdio>

TForm1* CreateForms() {
    auto* main = new TForm1;
    new TRunner(*main);
    InstallHotKeys(*main);
    InstallPluginMessages(*main);
    AddPluginMenu(*main);
    BuildPalette(*main);
    BuildCommandTreeView(*main);
    BuildOtherLangMenus(*main);
    main->FormCreate();
    // The dialogs, in this order; the recorder window is made when first needed.
    new TForm2;
    new TForm3;
    new TForm4;
    new TForm5;
    new TForm6;
    new TForm7;
    new TForm8;
    new TForm9;
    new TForm10;
    new TForm11;
    new TForm12;
    new TForm13;
    new TForm14;
    new TForm15;
    new TForm16;
    new TForm17;
    new TForm18;
    new TForm19;
    new TForm20;
    new TForm21;
    new TForm22;
    new TForm23;
    new TForm24;
    new TForm26;
    new TForm27;
    new TForm29;
    new TForm30;
    new TForm31;
    new TForm32;
    new TForm34;
    new TForm25;
    new TForm35;
    new TForm33;
    new TForm36;
    new TForm37;
    return main;
}

void DestroyForms() {
    if (Form1) Form1->FormDestroy();
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget()) windows << w;
    for (const QPointer<QWidget>& w : windows) delete w.data();
}

namespace {
bool endedBySignal = false;

// SIGTERM or SIGINT ends a run the way Stop does (keys released, files closed,
// screen mode restored; the run's end writes the report), then the program,
// with status 1.
void endOnSignal() {
    if (ExecState != 0 || MacroRunning) {
        RunEndedInError = true;
        ReportUnattended(QStringLiteral("arrêt demandé par un signal."));
        Services().Run().Stop1Click();
    }
    endedBySignal = true;
    QCoreApplication::exit(1);
}
}  // namespace

std::optional<int> StartProgram(TForm1* main) {
    if (!main->InitForm1()) return 2;
    if (main->CommandLineFile.isEmpty() || EditOnOpen) {
        main->show();
        if (Form19) Form19->AutoUpdateCheck();
        return std::nullopt;
    }
    // A macro without the editor: the window stays hidden, the list too (no history).
    main->ListView1->hide();
    AutoRun = true;
    if (ExportOnOpen) {
        QAction* exporter = main->findChild<QAction*>(QStringLiteral("Exporterversexecutable1"));
        if (!exporter) {
            std::fputs("Orvanel : l'export vers un exécutable n'est pas disponible.\n", stderr);
            return 1;
        }
        exporter->trigger();
        ApplicationTerminated = true;
        return 0;
    }
    // The run closes the main window when it ends; without a run engine the program ends here.
    if (main->Execute1) main->Execute1->trigger();
    else main->close();
    if (main->Closed || ApplicationTerminated || endedBySignal) return RunEndedInError || endedBySignal ? 1 : 0;
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
    static AppServices services;
    InstallServices(&services);
    static AppEngineServices engineAnswers;
    InstallEngineServices(&engineAnswers);
    platform::OnTerminationSignal(endOnSignal);
    QApplication::setApplicationName(QStringLiteral("Orvanel"));
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
    }
    TForm1* main = CreateForms();
    QObject::connect(main, &TForm1::MainWindowClosed, &app, [] { QCoreApplication::exit(0); });
    std::optional<int> status = StartProgram(main);
    if (!status) status = app.exec();
    DestroyForms();
    return *status;
}
