#pragma once
// Program-wide message texts that are not properties of a control: French
// built in, replaced by the language files. A text is found by the section
// and key that name it in a language file.
#include <QString>
#include <QPair>
#include <QVariantList>
#include <QVector>

// The current text; empty for a key that names no message text.
QString MessageText(const QString& section, const QString& key);
// A text of the main window's section.
inline QString MainWindowText(const QString& key) { return MessageText(QStringLiteral("Form1"), key); }
// The name a macro without a file is shown under ("Nouvelle macro" in French).
QString NewMacroCaption();
// Replaces a text. A translation whose placeholders ("%s", "%d", "%5.2f"...)
// differ in number or kind from the built-in text's is refused (false) and
// the text stays as it was; so is a key that names no message text.
bool SetMessageText(const QString& section, const QString& key, const QString& value);
// Puts every text back to its built-in French.
void ResetMessageTexts();
// The section and key of every message text.
QVector<QPair<QString, QString>> MessageTextKeys();

// The kinds of the placeholders of a format text, in order ("%%" is none):
// "sd" for "%s ... %d".
QString PlaceholderKinds(const QString& format);
// A format text with its placeholders filled in order: "%s" takes a text,
// "%d" a whole number, "%f" a number with the width and precision given,
// "%n" a number with thousands separated by blanks; "%%" is "%".
QString FormatMessageText(const QString& format, const QVariantList& values);
