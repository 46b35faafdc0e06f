// Run control of the main window: the state shown in its caption.
#include "core/Unit1.h"

#include <QFileInfo>

int ExecState = 0;

void TForm1::buildRunUi() {}

QString TForm1::GetStateCaption() {
    static const char* const kSuffix[] = {
        " - Orvanel",
        " - Orvanel [En exécution]",
        " - Orvanel [Pas à pas]",
        " - Orvanel [Mise en pause]",
        " - Orvanel [Stoppé par Point d'arrêt]",
        " - Orvanel [Pas à pas, Commande en exécution]",
    };
    const int state = ExecState >= 0 && ExecState <= 5 ? ExecState : 0;
    return QFileInfo(StatusPanel[0]->text()).fileName() + QString::fromUtf8(kSuffix[state]);
}
