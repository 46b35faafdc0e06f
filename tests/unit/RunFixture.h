#pragma once
// A main window ready to run its rows on the fake desktop: idle, without the
// check before the run.
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "tests/support/TestSupport.h"

class RunFixture : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        RunState().MacroRunning = false;
        RunState().ExecState = 0;
        settings().CheckBeforeRun = false;
    }
    void run() { form->Execute(form, false, 0); }
    // A variable's value; "?" when the run never wrote it.
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
};
