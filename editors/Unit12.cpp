#include "editors/Unit12.h"

TForm12* Form12 = nullptr;

TForm12::TForm12(QWidget* parent) : TOperandsDialog(kCalculTable, parent) { Form12 = this; }
