#pragma once
// Parameter strings: fields each followed by the separator ("500;MilliSec;").
#include <QChar>
#include <QString>
#include <QStringView>
#include <array>

// The separator of the settings ([Control] CarSepParam), ";" until they are
// read; the splitter itself takes the one it is given.
QChar ParamSeparator();

constexpr int kMaxFieldLength = 255;
constexpr int kMaxParamFields = 20;

// Fields 1..20 (index 0 unused); Count is the number of fields found plus one.
struct TParamFields {
    std::array<QString, kMaxParamFields + 1> field;
    qint32 Count = 1;
    const QString& operator[](int i) const { return field[i]; }
    QString& operator[](int i) { return field[i]; }
};

// How the splitter counts the fields it found.
enum class SplitRule : char {
    Found,   // as found: Count 1 for the empty text, 22 for a text of more than 20 fields
    Runner,  // the runner's: the empty text is one empty field (Count 2)
    Editor,  // the editor's: fields 1..19 only; a text of 20 fields or more counts 20,
             // or 21 when it does not end with the separator
};

// The splitter of parameter strings: fields 1 to 20, each cut to 255
// characters; a trailing separator opens no field. Count is the number of
// fields found plus one, as the rule says.
TParamFields SplitFields(QStringView text, QChar separator, SplitRule rule = SplitRule::Found);

// Where a value stands in a row's parameter string.
struct ParamPlace {
    enum Kind : char { None, Field, Rest, Whole, Middle, Last };
    Kind kind = None;
    int n = 0;  // Field: its number from 1; Rest, Middle: how many fields come before it
    friend constexpr bool operator==(ParamPlace, ParamPlace) = default;
};
// Field n, followed by the separator like every field.
constexpr ParamPlace ParamField(int n) { return {ParamPlace::Field, n}; }
// What follows that many fields, kept as typed (separators included); nothing is added after it.
constexpr ParamPlace ParamRest(int fieldsBefore) { return {ParamPlace::Rest, fieldsBefore}; }
// The whole string is one free text kept as typed: a separator inside it is part of it.
inline constexpr ParamPlace ParamWhole{ParamPlace::Whole, 0};
// What stands between that many fields and the last field, kept as typed
// (separators included), then the separator like a field.
constexpr ParamPlace ParamMiddle(int fieldsBefore) { return {ParamPlace::Middle, fieldsBefore}; }
// The last field of the string, after a middle text.
inline constexpr ParamPlace ParamLast{ParamPlace::Last, 0};

// What follows that many fields, kept whole (separators included); empty
// when the text has fewer fields.
QString FieldsAfter(QStringView text, int fieldsBefore, QChar separator);
// The value standing at that place of text, whose fields are given (split
// by the caller's rule).
QString ValueAt(const QString& text, const TParamFields& fields, ParamPlace place, QChar separator);
