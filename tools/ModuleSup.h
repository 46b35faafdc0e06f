#pragma once
// The language layer: language files ("<langue>.lng" of the program folder)
// applied to every window by component name, and mail.
#include <QString>
#include <QStringList>

class QObject;
class QWidget;
namespace platform {
class IniFile;
}

// Loads name + ".lng" of the program folder and applies it to every window;
// a missing file changes nothing. The description list is refilled first
// from the file of the language the options name.
void LoadLanguageFile(const QString& name);
// Applies the language file loaded last, if any, to a window made after it.
void ApplyLanguageToWindow(QWidget& window);
// Every key of one section of a language file: message texts, then the
// components the keys name in that window (none for a window not made yet).
void ApplyLanguageSection(const platform::IniFile& ini, const QString& section, QWidget* window);
// What of a component the language files loaded so far have set: "text",
// "hint", "caption" (a window's title), "item<n>", "column<n>".
QStringList LanguageTextsSet(const QObject* component);

// Qt's own texts (standard buttons, file, print and font dialogs) in the
// language of that name ("Français", "English", or a language's own or
// English name), from Qt's translations; Qt's built-in English when it has
// none for it.
void UseQtTranslation(const QString& language);

// Hands a message to the user's mail program, which shows it to be sent.
// lines are "name=value": "to", "subject", "body", and "attachment0",
// "attachment1"... (counting stops at the first missing one). 0 when the
// mail program took it; otherwise "Error while trying to send email" was
// shown and the result is not 0.
int SendMailMapi(const QStringList& lines);
