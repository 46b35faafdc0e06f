#pragma once
// A small rich-text (RTF) writer and reader for the execution report and the
// print file: the writer keeps fonts, sizes, bold/italic/underline and
// colours of a QTextDocument; the reader understands what the writer and
// MakeRtfLine produce (groups, font and colour tables, \par, \b \i \ul \fs
// \cf \highlight, \'hh and \uN characters) and skips any other control word.
#include <QByteArray>

class QTextCursor;
class QTextDocument;

namespace rtf {

QByteArray fromDocument(const QTextDocument& document);
// Inserts the rich text at the cursor.
void insert(QTextCursor& cursor, const QByteArray& rtf);
// Text with "\", "{" and "}" escaped and characters beyond ASCII written as
// \'hh (Windows-1252) or \uN.
QByteArray escape(const QString& text);

}  // namespace rtf
