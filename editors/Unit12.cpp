#include "editors/Unit12.h"

TForm12::TForm12(QWidget* parent) : TOperandsDialog(kCalculTable, parent) {}
