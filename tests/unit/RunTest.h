#pragma once
// A main window ready to run macros on the fake desktop: idle run state, no
// delay between rows, no check before the run, a private folder for the files
// the macros touch and a private trash.
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

class RunTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());  // the trash goes there
        RunState().MacroRunning = RunState().RunEndedInError = false;
        RunState().ExecState = 0;
        settings().GeneralActive = false;
        settings().CheckBeforeRun = false;
    }
    void TearDown() override {
        RunState().MacroRunning = false;
        qunsetenv("XDG_DATA_HOME");
        MainWindowTest::TearDown();
    }
    static platform::FakePlatform& fake() { return static_cast<platform::FakePlatform&>(platform::desktop()); }
    // Runs rows from an empty variable store; the fake's calls and the
    // messages are those of this run.
    void run(const QVector<QPair<QString, QString>>& rows) {
        messages.shown.clear();
        setRows(rows);
        Variables().Clear();
        fake().calls.clear();
        form->Execute(form, false, 0);
    }
    // A variable's value, "?" when it has none.
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
    QString lastMessage() const { return messages.shown.isEmpty() ? QString() : messages.shown.last().text; }
    QString path(const QString& name) const { return dir.filePath(name); }
    static QByteArray bytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(absent)");
    }
    static void write(const QString& file, const QByteArray& content) {
        ASSERT_TRUE(QFileInfo(file).dir().mkpath("."));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QTemporaryDir dir;
};
