#include "tools/Unit37.h"

TForm37* Form37 = nullptr;

TForm37::TForm37(QWidget* parent) : TForm(37, QStringLiteral("OtherLanguageEditor"), parent) { Form37 = this; }
