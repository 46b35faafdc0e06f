#include "engine/Unit28.h"

#include "engine/SysVars.h"

TForm28* Form28 = nullptr;

bool EventMonitoring = false;
bool RecorderAvailable = false;

// The recorder's event hooks come with the recorder; until then the switch is only kept.
void SwitchEventMonitoring(bool on) { EventMonitoring = on; }

TForm28::TForm28(QWidget* parent) : TForm(28, QStringLiteral("Capture séquence"), parent) {
    Form28 = this;
    RecorderAvailable = true;
}

// Made again when next needed.
TForm28::~TForm28() {
    if (Form28 == this) Form28 = nullptr;
}

void ShowRecorderWindow() {
    if (!Form28) new TForm28;
    if (!RecorderAvailable) return;
    Form28->show();
    Form28->raise();
    Form28->activateWindow();
}
