#pragma once
// Parameter strings: fields each followed by the separator ("500;MilliSec;").
#include <QChar>
#include <QString>
#include <array>

// The separator every builder and splitter reads ([Control] CarSepParam).
extern QChar CarSepParam;

constexpr int kMaxFieldLength = 255;

// Fields 1..20 (index 0 unused); Count is the number of fields found plus one.
struct TParamFields {
    std::array<QString, 21> field;
    qint32 Count = 1;
    const QString& operator[](int i) const { return field[i]; }
    QString& operator[](int i) { return field[i]; }
};

// The fields of a parameter string: fields 1..19 receive text (each up to
// kMaxFieldLength characters); Count is one more than the fields found (the
// empty string has none, a trailing separator adds none).
TParamFields GetParam(const QString& s);
