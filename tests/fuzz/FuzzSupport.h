#pragma once
// What the fuzz targets share: the application on the offscreen platform with
// the fake desktop and the tests' services (every question answered, "Non"
// where offered), a private program folder, and the main window for the
// targets that go through it.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

class TForm1;

namespace fuzz {

// Starts the application once.
void start();
// The main window, made once (hidden), with a new macro.
TForm1& newMacro();
// Shows the main window and gives its command list the focus.
void focusList(TForm1& form);
QByteArray bytes(const uint8_t* data, size_t size);
// A file of the private program folder, holding data; answers its path.
QString writeFile(const QString& name, const QByteArray& data);
// The text the password dialog is given; a null text cancels it.
void answerPassword(const QString& typed);

}  // namespace fuzz
