#pragma once
// The program body: makes the main window and registers the others, made on first use.

#include <optional>

class TForm1;

// Registers how each window is made and prepared (core/Windows.h), makes the
// main window and loads the settings. Returns the main window.
TForm1* CreateForms();
// Ends the main window's life (TForm1::FormDestroy), then deletes every
// window, the last made first.
void DestroyForms();
// After the windows exist: TForm1::InitForm1, then either the editor (no
// value: the message loop runs) or a macro run without the editor, or its
// export (the program's exit status).
std::optional<int> StartProgram(TForm1* main);
int RunProgram(int argc, char** argv);
