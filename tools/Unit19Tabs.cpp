// Handlers of the options dialog's tabs (display colours, background preview).
#include "tools/Unit19.h"

// Applies the display colours of the settings to the windows.
void TForm19::ChangeGeneralColorText() {}

// The background choice changed: its preview.
void TForm19::ComboBox5Change() {}
