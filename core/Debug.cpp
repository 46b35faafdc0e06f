// The macro checker and its check list.
#include "core/Unit1.h"

void TForm1::buildCheckUi() {}

bool TForm1::ControlAll(TListView* list) {
    Q_UNUSED(list);
    return true;
}
