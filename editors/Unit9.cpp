#include "editors/Unit9.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(QWidget* parent) : TForm(9, QStringLiteral("Question"), parent) { Form9 = this; }
