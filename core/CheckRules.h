#pragma once
// Internal to the checker: one row under check, and the routine of each command.
#include "core/CommandNames.h"
#include "core/Debug.h"
#include "core/Params.h"

namespace Debug {

// The row being checked: its fields and the findings it raised.
class RowCheck {
public:
    RowCheck(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report);

    const TMacroDocument* const list;
    const QString params;
    const int row;
    const int source;
    TCheckReport& report;  // where the findings go
    const TParamFields f;  // fields 1..20 (SplitRule::Runner)

    int fieldCount() const { return f.Count - 1; }
    const QString& operator[](int i) const { return f[i]; }

    // Findings on this row (line = row + 1) or on another line.
    void error(const QString& message) { errorAt(row + 1, message); }
    void warning(const QString& message) { warningAt(row + 1, message); }
    void errorAt(int line, const QString& message);
    void warningAt(int line, const QString& message);
    // Validates a descriptor of this row; its errors count as this row's.
    void validate(const TstructOrdre& d);
    // "Nombre de paramètre invalide." when the field count does not fit the command's declaration.
    bool needDeclaredFields(Command command);
    // "La variable X est en lecture seule." when name is a read-only system variable.
    void notReadOnly(const QString& name);
    // The descriptor of this row from the command's declared fields: one
    // parameter per declared field (per field of the row when a field
    // repeats), each checked as declared; with `checked`, only those fields.
    TstructOrdre declared(Command command, const QString& name, const QList<int>& checked = {}) const;

    bool ok = true;  // no listed error
};

// Declared kind of a name: "Numerique", "Alpha", "Objet" or "No_Type".
QString kindOf(const QString& name);
bool isInt(const QString& text);
// A file (not a folder) of that name exists.
bool fileExists(const QString& name);

using CheckRoutine = bool (*)(const TMacroDocument* list, const QString& params, int row, int source,
                              TCheckReport& report);

bool CheckGoto(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckProcedure(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckLabel(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckExamine(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckVariable(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckScriptEval(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckMoveMouse(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckClick(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckLire(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckEcrire(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckCalcul(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckCalculEvolue(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckFonction(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckChamps(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckType(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckExecute(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckTypeSpecial(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckObjet(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckQuestion(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckPause(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckOutilFichier(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckOutilEcran(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckOutilAffichage(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckOutilAlimentation(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckOutilRepertoire(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckInclusion(const TMacroDocument*, const QString&, int, int, TCheckReport&);
bool CheckPluginCommand(const TMacroDocument*, const QString& keyword, const QString& params, int row, int source,
                        TCheckReport& report);

}  // namespace Debug
