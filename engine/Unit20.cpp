#include "engine/Unit20.h"

TForm20* Form20 = nullptr;

TForm20::TForm20(QWidget* parent) : TForm(20, QStringLiteral("Liste système"), parent) { Form20 = this; }
