#pragma once
// Macro files: the state of the open macro's file.
#include <QString>

// The password of the open macro; empty when it is not protected.
extern QString MacroPassword;
// Protect the source only: the macro runs without its password.
extern bool ProtectSourceOnly;
// Result of the last change test; cleared by a save of the main list.
extern bool MacroModified;
// The executable alias read from "[ALIAS_EXE]".
extern QString AliasExe;

// Start-up flags read by the readers (set by the command line).
extern bool EditOnOpen;      // "/edt", or the macro asks to open in the editor
extern bool CommandLineRun;  // a macro given on the command line runs without the editor

class TMacroDocument;
// Reads the command rows of a macro file into doc: position < 0 replaces
// its rows, else inserts there. A protected file asks for its password (not
// for a run when only its source is protected). Answers the rows read; a
// missing or damaged file, or a refused password, is said and reads none.
int ReadMacroRows(const QString& fileName, TMacroDocument& doc, const QString& statusText, int position);
