#pragma once
// Macro files: the state of the open macro's file and what the readers and
// the writer need of topics built elsewhere.
#include <QString>
#include <functional>

class TListView;

// The password of the open macro; empty when it is not protected.
extern QString MacroPassword;
// Protect the source only: the macro runs without its password.
extern bool ProtectSourceOnly;
// Result of the last change test; cleared by a save of the main list.
extern bool MacroModified;
// The executable alias read from "[ALIAS_EXE]".
extern QString AliasExe;

// Services of other topics the files call; each topic installs its own, and
// an empty one is skipped.
struct TMacroFileServices {
    std::function<void(const QString& fileName)> AddRecents;
    // A file that is not a macro file: its text is imported into list (null: ListView1).
    std::function<void(const QString& fileName, TListView* list)> ImportOtherLangText;
    std::function<void()> ClearImageRefs;
};
extern TMacroFileServices MacroFileServices;

// Start-up flags read by the readers (set by the command line).
extern bool EditOnOpen;      // "/edt", or the macro asks to open in the editor
extern bool CommandLineRun;  // a macro given on the command line runs without the editor
