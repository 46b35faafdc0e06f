#pragma once
// The macro checker: the descriptor of a command's expected parameters, the
// check-list writer and the per-command dispatcher. The rules themselves live
// in core/CheckRules*.cpp.
#include "core/CheckReport.h"
#include "core/MacroDocument.h"

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
    // Checks every parameter, one "Erreur" row per refused one in report; true when all pass.
    bool Validate(const TMacroDocument* list, int sourceNumber, TCheckReport& report) const;
};

namespace Debug {

inline const QString kErreur = QStringLiteral("Erreur");
inline const QString kAvertissement = QStringLiteral("Avertissement");
inline const QString kValide = QStringLiteral("Valide");

// Adds one finding to report; line numbers are 1-based (0: no row), a row of
// a sub-macro run by line sourceNumber is shown "source,line". An ignored
// message is only marked as still present. True when a row was listed, so
// callers fail only on errors the user can see.
bool AddCheckError(TCheckReport& report, int lineNumber, const QString& kind, const QString& message,
                   int sourceNumber);
// The same into the program's check list.
bool AddCheckError(int lineNumber, const QString& kind, const QString& message, int sourceNumber);

// The check list the main window shows.
TCheckReport& ProgramCheckReport();

// True for a system variable that a macro may not assign.
bool IsReadOnlySysVar(const QString& name);

// Checks one row of list into report; true when it raised no listed error.
bool CheckCommand(const TMacroDocument& list, const QString& keyword, const QString& params, int sourceNumber, int row,
                  TCheckReport& report);
// Checks every row of the list into report (emptied first). False when a
// listed error was found, and when the pass stopped early (more than 8
// errors, a broken row, Escape in the progress window), so that a partly
// checked macro never runs. True without checking when the check is off.
bool CheckMacro(const TMacroDocument& list, TCheckReport& report);

// Syntax of a script expression, never run: empty when it looks right, else
// a short reason. language is "JScript" or "VBScript".
QString ScriptSyntaxError(const QString& language, const QString& expression);

}  // namespace Debug
