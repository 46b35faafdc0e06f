#include "editors/Unit7.h"

TForm7* Form7 = nullptr;

TForm7::TForm7(QWidget* parent) : TForm(7, QStringLiteral("Pause"), parent) { Form7 = this; }
