#pragma once
// The categories of the "Fonction" command (engine/CmdFonction*.cpp).
#include "core/CommandParams.h"

#include <QString>
#include <optional>

// One "Fonction" row: field 1 the result variable, 2 the category, 3 the
// function, 4 to 6 its parameters; v is field 4 resolved.
struct FonctionCall {
    const ParamView& p;
    QString v;
    QString function() const { return p.text(3); }
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
