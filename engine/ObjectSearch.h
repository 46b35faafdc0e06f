#pragma once
// Window objects: the description of a window that an "Objet" row keeps
// (handle when last found, parent, program, class, text, size, the criteria
// that identify it and what to do when it is missing or found several
// times), its twelve-field parameter string, and the search for the windows
// of the desktop that meet its criteria. The spy wizard writes the rows, the
// run-time "Objet" command searches with them.
#include <QString>
#include <QVector>

// The bits of the criteria number (field 12).
enum ObjectCriterion : quint16 {
    kUseHeight = 2,
    kUseWidth = 4,
    kUseText = 8,
    kUseClass = 16,
    kUseApplication = 32,
    kUseParent = 64,
    kHandleBit = 128,  // always written, used by no search
};

struct TCmObjet {
    qint64 Handle = 0;        // 1: when last found; also the object's name in other rows
    qint64 ParentHandle = 0;  // 2
    QString Application;      // 3: executable file name, lower case
    QString ClassName;        // 4
    QString Text;             // 5
    int Width = 0;            // 6: "Longueur"
    int Height = 0;           // 7: "Largeur"
    bool HandleFlag = true;
    bool UseParent = false, UseApplication = false, UseClass = false, UseText = false, UseWidth = false,
         UseHeight = false;
    int NotFoundAction = 1;  // 8: 1 wait, 2 go on
    int SeveralAction = 1;   // 9: 1 let the user choose, 2 nothing, 3 take the n-th
    QString CountVariable;   // 10: receives the number of windows found
    QString Choice;          // 11: the n of SeveralAction 3, a number or a variable

    // Field 12: the flags as one number.
    quint16 CriteriaFlags() const;
    // Sets the six criteria from a number; HandleFlag stays.
    void SetCriteriaFlags(quint16 flags);
    void SetAllCriteria(bool on);
    bool operator==(const TCmObjet&) const = default;
};

// The object a parameter string describes. Numbers that are not read as 0;
// flagsInRange is false when field 12 is not a number from 0 to 65535.
TCmObjet ObjectFromParams(const QString& params, QChar separator, bool* flagsInRange = nullptr);
// The twelve fields, each followed by the separator. A text or class holding
// the separator is kept up to it, so that it cannot shift the fields.
QString ObjectParams(const TCmObjet& object);
// A value as a field holds it: up to the separator.
QString FieldValue(const QString& value);

// The windows of the last search, as the desktop lists them.
extern QVector<quint64> ObjectCandidates;

// Refills ObjectCandidates with the windows that meet every criterion the
// object has on: the top-level windows (only those of its program when that
// criterion is on) and all their descendants; then each criterion drops the
// windows whose parent, program, class, text, width or height differ.
// Classes compare up to their first ":", texts and classes up to the
// separator (as fields hold them); exact and case-sensitive. Answers the
// first window left, 0 when none.
quint64 FindObjectWindow(const TCmObjet& object);

// One window as the spy wizard captures it: every criterion on.
TCmObjet DescribeWindow(quint64 window);
