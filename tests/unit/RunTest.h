#pragma once
// A main window ready to run macros on the fake desktop: idle run state, no
// delay between rows, no check before the run.
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/TestSupport.h"

class RunTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        MacroRunning = RunEndedInError = false;
        ExecState = 0;
        settings().GeneralActive = false;
        settings().CheckBeforeRun = false;
    }
    // Runs rows from an empty variable store.
    void run(const QVector<QPair<QString, QString>>& rows) {
        setRows(rows);
        TListVar.clear();
        form->Execute(form, false, 0);
    }
    // A variable's value, "?" when it has none.
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
    static platform::FakePlatform& fake() { return static_cast<platform::FakePlatform&>(platform::desktop()); }
};
