#pragma once
// The run-time variable store, read and written by name through
// TForm1::ReadVariable and TForm1::WriteVariable.
#include <QString>
#include <QVector>

struct TVar {
    QString Name;   // as written in the macro, brackets included
    QString Value;  // numbers as their decimal text
    QString Extra;  // no operation sets or reads it
};

// One entry per name; emptied when a run starts.
extern QVector<TVar> TListVar;

// The system variables as the store sees them; the engine registers its table.
class TSysVarTable {
public:
    virtual ~TSysVarTable() = default;
    virtual bool IsSysVar(const QString& name) const = 0;
    virtual bool IsWritable(const QString& name) const = 0;
    // The current value (the store mirrors it into its entry).
    virtual QString Read(const QString& name) = 0;
    // Carries out the write and its side effect.
    virtual void Write(const QString& name, const QString& value) = 0;
};
// The table in use (null: no system variables yet); not owned.
void SetSysVarTable(TSysVarTable* table);
TSysVarTable* GetSysVarTable();
