#include "editors/Unit2.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : TForm(2, QStringLiteral("Frappe de texte"), parent) { Form2 = this; }
