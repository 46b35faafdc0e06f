// The scheduler "OrvanelLaunch": started with the session (its autostart
// entry), it runs the macros of "Launch.dat" beside the main program at
// their times and on their shortcuts, each as "orvanel <macro>".
#include "Scheduler.h"

#include "platform/Platform.h"
#include "platform/ProgramMessages.h"

#include <QApplication>
#include <QProcess>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(platform::kLaunchClass);  // the class of its window
    app.setQuitOnLastWindowClosed(false);
    auto x11 = platform::openX11Platform();
    if (!x11) {
        std::fputs("OrvanelLaunch : impossible d'ouvrir l'affichage X11.\n", stderr);
        return 1;
    }
    platform::setDesktop(std::move(x11));
    // One scheduler a session: a second would start every macro twice.
    if (platform::desktop().FindProgramWindow(platform::kLaunchClass)) return 0;
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/orvanel");
    Scheduler scheduler(
        [&program](const QString& macro) {
            if (!QProcess::startDetached(program, {macro}))
                std::fprintf(stderr, "OrvanelLaunch : « %s » ne peut pas être démarré.\n", qPrintable(program));
        },
        [] { return QDateTime::currentDateTime(); });
    QWidget window;  // never shown: the editor finds it by its class and caption
    window.setWindowTitle(platform::kLaunchProgram);
    window.winId();
    platform::desktop().ReceiveProgramMessages([&scheduler](const platform::ProgramMessage& m) {
        if (m.message == platform::WM_LAUNCHCHANGED) scheduler.Reload();
    });
    scheduler.Reload();
    const int status = app.exec();
    platform::desktop().ReceiveProgramMessages(nullptr);
    return status;
}
