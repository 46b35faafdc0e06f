#pragma once
// Shared fixtures of the tests.
#include "core/Dialogs.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <gtest/gtest.h>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// Records every message box; answers with `answer` (or the first button offered).
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    QVector<MessageRequest> shown;
    int answer = mrNone;
    QStringList texts() const;  // of the boxes shown, in order
};

// A file's whole content written (its folder made first; a failure fails the test),
// and read back (absent: what a missing file gives).
void WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path, const QByteArray& absent = {});

class TForm1;

// A fresh main window with the dialogs, a private program folder and the
// fake desktop; message boxes are recorded.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Replaces the macro with rows given as {keyword, params}.
    void setRows(const QVector<QPair<QString, QString>>& rows);
    QStringList rowTexts() const;  // "keyword|params" per row

    QTemporaryDir home;
    MessageRecorder messages;
    TForm1* form = nullptr;
};

// The main window shown, for the command dialogs.
class DialogsTest : public MainWindowTest {
protected:
    void SetUp() override;
    // Opens the dialog of that row for modifying it, as a double-click does.
    void edit(int row);
};
