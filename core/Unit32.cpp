#include "core/Unit32.h"

TForm32* Form32 = nullptr;

TForm32::TForm32(QWidget* parent) : TForm(32, QStringLiteral("Decryptage d'une macro"), parent) { Form32 = this; }
