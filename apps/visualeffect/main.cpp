// The visual-effect program: shows the search animation the main program asks
// for, on the window class it looks for, and ends when told to stop.
#include "EffectWindow.h"

#include "platform/Platform.h"
#include "platform/ProgramMessages.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(platform::kVisualEffectClass);  // the class of its window
    app.setQuitOnLastWindowClosed(false);
    auto x11 = platform::openX11Platform();
    if (!x11) {
        std::fputs("VisualEffect : impossible d'ouvrir l'affichage X11.\n", stderr);
        return 1;
    }
    platform::setDesktop(std::move(x11));
    EffectWindow window;
    window.winId();  // the window exists, not shown, so that the main program finds it
    platform::desktop().ReceiveProgramMessages([&window](const platform::ProgramMessage& m) { window.handle(m); });
    const int status = app.exec();
    platform::desktop().ReceiveProgramMessages(nullptr);
    return status;
}
