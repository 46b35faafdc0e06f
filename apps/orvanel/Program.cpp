#include "apps/orvanel/Program.h"

#include "core/Unit1.h"
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
#include "engine/Unit20.h"
#include "engine/Unit21.h"
#include "editors/Unit22.h"
#include "tools/Unit23.h"
#include "editors/Unit24.h"
#include "engine/Unit25.h"
#include "editors/Unit26.h"
#include "editors/Unit27.h"
#include "engine/Unit29.h"
#include "editors/Unit30.h"
#include "engine/Unit31.h"
#include "core/Unit32.h"
#include "tools/Unit33.h"
#include "core/Unit34.h"
#include "core/Erreurcompil.h"
#include "editors/Unit36.h"
#include "tools/Unit37.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QPointer>
#include <cstdio>

TForm1* CreateForms() {
    auto* main = new TForm1;
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
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget()) windows << w;
    for (const QPointer<QWidget>& w : windows) delete w.data();
}

int RunProgram(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("Orvanel : aucun affichage X11 (la variable DISPLAY n'est pas définie). "
                   "Lancez le programme dans une session graphique.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanel"));
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        auto x11 = platform::openX11Platform();
        if (!x11) {
            std::fputs("Orvanel : impossible d'ouvrir l'affichage X11.\n", stderr);
            return 1;
        }
        platform::setDesktop(std::move(x11));
    }
    TForm1* main = CreateForms();
    main->Nouveau1Click();
    main->show();
    const int status = app.exec();
    DestroyForms();
    return status;
}
