#pragma once
// The system variables: 33 bracketed names ("[MOUSE.X]", "[CLIPBOARD]",
// "[PROGRESS]"...) a macro reads and writes like its own variables. The
// variable store (core/Variables.h) asks this table for their values and
// hands it their writes.
#include <QString>
#include <QVector>


struct TSysVar {
    QString Name;      // upper case, brackets included; compared exactly
    bool IsAlpha = false;
    bool Writable = false;
    QString Value;     // set when the table is built; later only "[PROGRESS]" changes it
    QString Description;
};

// The table, in its fixed order.
extern QVector<TSysVar> TListOfSysVar;

// Empties the table and adds the 33 rows with their values at build.
void BuildSystemVariableList();
// Appends a row with empty value and description; its index.
int AddSystemVariable(const QString& name, bool isAlpha, bool writable);
// Index of the row of that name, -1 when none.
int SystemVariableIndex(const QString& name);
// The current value of a system variable (empty for an unknown name).
void ReadSystemVariable(const QString& name, QString& value);
// Carries out a write and its side effect; false for a read-only or unknown name.
bool WriteSystemVariable(const QString& name, const QString& value);
// An environment variable's value; empty when it does not exist.
QString GetEnvVarValue(const QString& name);

// Switches the recorder's event monitoring on or off ("[EVENT.ACTIVATE]").
void SwitchEventMonitoring(bool on);
