#pragma once
// The categories of the "Fonction" command (engine/CmdFonction*.cpp).
#include "core/Params.h"

#include <QString>
#include <optional>

// One "Fonction" row: F1 the result variable, F2 the category, F3 the
// function, F4 to F6 its parameters; V is F4 resolved.
struct FonctionCall {
    TParamFields f;
    QString v;
    const QString& function() const { return f[3]; }
};
// The text to write into the result variable; none after an error or for a
// function that writes nothing.
using FonctionResult = std::optional<QString>;

// Reports the error (reaction from "[ERROR.ADAPTATOR]"); nothing is written.
FonctionResult FonctionError(const QString& message);

// engine/CmdFonction.cpp: computed from the parameters alone.
FonctionResult TextFunction(const FonctionCall& c);
FonctionResult DateFunction(const FonctionCall& c);
FonctionResult TimeFunction(const FonctionCall& c);
FonctionResult RandomFunction(const FonctionCall& c);
FonctionResult NumberFunction(const FonctionCall& c);
// engine/CmdFonctionSystem.cpp: read from the desktop, the disks and the program.
FonctionResult ClipboardFunction(const FonctionCall& c);
FonctionResult CursorFunction(const FonctionCall& c);
FonctionResult HandleFunction(const FonctionCall& c);
FonctionResult DiskFunction(const FonctionCall& c);
FonctionResult FileFunction(const FonctionCall& c);
FonctionResult FolderFunction(const FonctionCall& c);
FonctionResult ScreenFunction(const FonctionCall& c);
FonctionResult RunParameterFunction(const FonctionCall& c);
