#include "engine/Unit10.h"

TForm10* Form10 = nullptr;

TForm10::TForm10(QWidget* parent) : TForm(10, QStringLiteral("Question"), parent) { Form10 = this; }
