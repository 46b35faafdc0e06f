#include "editors/Unit3.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : TForm(3, QStringLiteral("Label"), parent) { Form3 = this; }
