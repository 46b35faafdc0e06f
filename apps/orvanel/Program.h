#pragma once
// The program body: creates every window in its fixed order.

#include <optional>

class TForm1;

// Creates the main window, then the dialogs. Returns the main window.
TForm1* CreateForms();
// Ends the main window's life (TForm1::FormDestroy), then deletes every window.
void DestroyForms();
// After the windows exist: TForm1::InitForm1, then either the editor (no
// value: the message loop runs) or a macro run without the editor, or its
// export (the program's exit status).
std::optional<int> StartProgram(TForm1* main);
int RunProgram(int argc, char** argv);
