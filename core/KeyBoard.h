#pragma once
// The keys of the on-screen keyboard of "Type Special", which is also the
// key-name table the runner, the checker and the dialog read: button numbers
// 1 to 110 (104 of them are keys), each with the key's scan code as its tag
// (100 and more: an extended key, scan code = tag - 100), its place on the
// keyboard, and its name in the active keyboard layout.
#include <QString>
#include <QStringList>
#include <span>

struct KeyPlace {
    int number, tag, left, top, width, height;
};
// The keyboard, row by row.
std::span<const KeyPlace> KeyPlaces();

constexpr int kKeyButtons = 110;
// The name of button n (1..110); "" for the six numbers without a key, "?"
// for a key no layout named yet.
QString KeyName(int number);
// A language file may give a key another name.
void SetKeyName(int number, const QString& name);
// The 110 names, button 1 first.
QStringList KeyNames();
// Names every key from the active keyboard layout; a key the layout does not
// name keeps its name.
void UpdateKeyNames();
