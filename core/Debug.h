#pragma once
// The macro checker: the descriptor of a command's expected parameters, the
// check-list writer and the per-command dispatcher. The rules themselves live
// in core/CheckRules*.cpp.
#include "core/MacroList.h"

#include <QString>
#include <QStringList>
#include <QVector>

// One parameter as written in the row and what it may be. The kinds are
// alternatives: any one accepted kind passes. A parameter with no kind at
// all is not checked.
struct TstructParam {
    QString Value;
    bool AlphaValue = false;       // a literal that is not an integer
    bool NumericValue = false;     // an integer literal
    bool AlphaVariable = false;    // a variable declared "Alpha"
    bool NumericVariable = false;  // a variable declared "Numerique"
    bool IsObject = false;         // the name of an "Objet" row of the checked list
    bool HasAllowedValues = false;
    QStringList AllowedValues;     // compared exactly
    bool HasRange = false;
    qint64 RangeMin = 0;
    qint64 RangeMax = 0;
    bool EmptyAllowed = false;

    TstructParam& SetKinds(unsigned kinds);  // ParamKind flags
    TstructParam& SetRange(qint64 min, qint64 max);
    TstructParam& SetAllowedValues(const QStringList& words);
};

// Kinds for TstructOrdre::AddParam.
enum ParamKind : unsigned {
    kAlphaValue = 1,
    kNumericValue = 2,
    kAlphaVariable = 4,
    kNumericVariable = 8,
    kObject = 16,
    kEmptyAllowed = 32,
};

// The expected parameters of one command row, built for one check.
class TstructOrdre {
public:
    TstructOrdre() = default;
    TstructOrdre(const QString& name, int row) : Name(name), Row(row) {}

    QString Name;  // display name used in the messages
    qint32 Row = 0;
    QVector<TstructParam> Params;
    qint32 Count() const { return qint32(Params.size()); }

    // Appends a parameter with that value and those kinds (ParamKind flags).
    TstructParam& AddParam(const QString& value = QString(), unsigned kinds = 0);
    void SetAllowedValues(const QStringList& words, int index);
    // Checks every parameter, one "Erreur" row per refused one; true when all pass.
    bool Validate(TListView* list, int sourceNumber) const;
};

namespace Debug {

inline const QString kErreur = QStringLiteral("Erreur");
inline const QString kAvertissement = QStringLiteral("Avertissement");
inline const QString kValide = QStringLiteral("Valide");

// State of the current pass.
extern quint16 CheckErrorCount;     // "Erreur" rows listed since the last reset
extern bool CheckStructureBroken;   // a row's structure is broken: the pass stops
extern qint32 CheckSortColumn;      // the check list's sort column
extern bool CheckSortDescending;

// Adds one finding to the check list; line numbers are 1-based (0: no row).
// An ignored message is only marked as still present. True when a row was
// listed, so callers fail only on errors the user can see.
bool AddCheckError(TListView* list, int lineNumber, const QString& kind, const QString& message, int sourceNumber);
// Appends a row to the check list; image 0 error, 1 warning, 2 "Valide".
void AddCheckRow(const QString& caption, const QString& kind, const QString& message, int image);
// Deletes the "Valide" row when it heads the check list.
void RemoveValidRow();

// True for a system variable that a macro may not assign.
bool IsReadOnlySysVar(const QString& name);

// Checks one row; true when it raised no listed error.
bool CheckCommand(TListView* list, const QString& keyword, const QString& params, int sourceNumber, int row);

// Syntax of a script expression, never run: empty when it looks right, else
// a short reason. language is "JScript" or "VBScript".
QString ScriptSyntaxError(const QString& language, const QString& expression);

}  // namespace Debug
