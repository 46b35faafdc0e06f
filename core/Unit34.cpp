#include "core/Unit34.h"

TForm34* Form34 = nullptr;

TForm34::TForm34(QWidget* parent) : TForm(34, QStringLiteral("Orvanel"), parent) { Form34 = this; }
