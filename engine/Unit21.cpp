#include "engine/Unit21.h"

TForm21* Form21 = nullptr;

TForm21::TForm21(QWidget* parent) : TForm(21, QStringLiteral("Information"), parent) { Form21 = this; }
