#include "engine/Unit25.h"

TForm25* Form25 = nullptr;

TForm25::TForm25(QWidget* parent) : TForm(25, QStringLiteral("MSScript Expression"), parent) { Form25 = this; }
