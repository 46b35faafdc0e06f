#pragma once
// The program body: creates every window in its fixed order.

class TForm1;

// Creates the main window, then the dialogs. Returns the main window.
TForm1* CreateForms();
// Deletes every window.
void DestroyForms();
int RunProgram(int argc, char** argv);
