// The command palette of the main window and the edit entry.
#include "core/Unit1.h"

void TForm1::buildPaletteUi() {}
