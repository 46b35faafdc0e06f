#pragma once
// Macro files: the state of the open macro's file.
#include <QString>

struct TOpenMacroFile {
    QString password;                // empty when the macro is not protected
    bool protectSourceOnly = false;  // the macro runs without its password
    bool modified = false;           // result of the last change test; cleared by a save of the main list
    QString aliasExe;                // the executable alias read from "[ALIAS_EXE]"
};
TOpenMacroFile& OpenMacroFile();

// How the program was started, from its command line (TForm1::InitForm1).
struct TStartMode {
    bool editOnOpen = false;      // "/edt", or the macro asks to open in the editor
    bool exportOnOpen = false;    // "/fromExport"
    bool commandLineRun = false;  // a macro given on the command line runs without the editor
};
TStartMode& StartMode();

class TMacroDocument;
// Reads the command rows of a macro file into doc: position < 0 replaces
// its rows, else inserts there. A protected file asks for its password (not
// for a run when only its source is protected). Answers the rows read; a
// missing or damaged file, or a refused password, is said and reads none.
int ReadMacroRows(const QString& fileName, TMacroDocument& doc, const QString& statusText, int position);
