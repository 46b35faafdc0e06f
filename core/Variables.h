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
