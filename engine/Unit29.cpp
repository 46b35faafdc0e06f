#include "engine/Unit29.h"

TForm29* Form29 = nullptr;

TForm29::TForm29(QWidget* parent) : TForm(29, QStringLiteral("Progression"), parent) { Form29 = this; }
