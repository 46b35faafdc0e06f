#pragma once
// Internal to the checker: one row under check, and the routine of each command.
#include "core/CommandNames.h"
#include "core/Debug.h"
#include "core/Params.h"

namespace Debug {

// The row being checked: its fields and the findings it raised.
class RowCheck {
public:
    RowCheck(const TMacroDocument* list, const QString& params, int row, int source);

    const TMacroDocument* const list;
    const QString params;
    const int row;
    const int source;
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

// A row's structure is broken: the pass stops after it.
void MarkStructureBroken();

// Declared kind of a name: "Numerique", "Alpha", "Objet" or "No_Type".
QString kindOf(const QString& name);
bool isInt(const QString& text);
// A file (not a folder) of that name exists.
bool fileExists(const QString& name);

using CheckRoutine = bool (*)(const TMacroDocument* list, const QString& params, int row, int source);

bool CheckGoto(const TMacroDocument*, const QString&, int, int);
bool CheckProcedure(const TMacroDocument*, const QString&, int, int);
bool CheckLabel(const TMacroDocument*, const QString&, int, int);
bool CheckExamine(const TMacroDocument*, const QString&, int, int);
bool CheckVariable(const TMacroDocument*, const QString&, int, int);
bool CheckScriptEval(const TMacroDocument*, const QString&, int, int);
bool CheckMoveMouse(const TMacroDocument*, const QString&, int, int);
bool CheckClick(const TMacroDocument*, const QString&, int, int);
bool CheckLire(const TMacroDocument*, const QString&, int, int);
bool CheckEcrire(const TMacroDocument*, const QString&, int, int);
bool CheckCalcul(const TMacroDocument*, const QString&, int, int);
bool CheckCalculEvolue(const TMacroDocument*, const QString&, int, int);
bool CheckFonction(const TMacroDocument*, const QString&, int, int);
bool CheckChamps(const TMacroDocument*, const QString&, int, int);
bool CheckType(const TMacroDocument*, const QString&, int, int);
bool CheckExecute(const TMacroDocument*, const QString&, int, int);
bool CheckTypeSpecial(const TMacroDocument*, const QString&, int, int);
bool CheckObjet(const TMacroDocument*, const QString&, int, int);
bool CheckQuestion(const TMacroDocument*, const QString&, int, int);
bool CheckPause(const TMacroDocument*, const QString&, int, int);
bool CheckOutilFichier(const TMacroDocument*, const QString&, int, int);
bool CheckOutilEcran(const TMacroDocument*, const QString&, int, int);
bool CheckOutilAffichage(const TMacroDocument*, const QString&, int, int);
bool CheckOutilAlimentation(const TMacroDocument*, const QString&, int, int);
bool CheckOutilRepertoire(const TMacroDocument*, const QString&, int, int);
bool CheckInclusion(const TMacroDocument*, const QString&, int, int);
bool CheckPluginCommand(const TMacroDocument*, const QString& keyword, const QString& params, int row, int source);

}  // namespace Debug
