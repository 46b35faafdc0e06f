#pragma once
// A main window whose check is switched on, with a few read-only system
// variables, and helpers that read the check list as "caption|kind|message".
#include "core/Debug.h"
#include "core/IgnoreMsg.h"
#include "core/Unit1.h"
#include "core/Settings.h"
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include <QTreeWidget>

class CheckerTest : public MainWindowTest {
protected:
    // "[MOUSE.X]" is read-only, "[ERROR]" writable.
    struct TwoSysVars : TestServices::SysVars {
        bool IsSysVar(const QString& name) const override { return name == "[MOUSE.X]" || name == "[ERROR]"; }
        bool IsWritable(const QString& name) const override { return name == "[ERROR]"; }
        QString Read(const QString&) override { return {}; }
        void Write(const QString&, const QString&) override {}
    };

    void SetUp() override {
        MainWindowTest::SetUp();
        settings().CheckBeforeRun = true;
        settings().CheckCommands = true;
        testServices().sysVars = &sysVars;
    }
    void TearDown() override {
        TTabIgnoreMsg.clear();
        StartMode().commandLineRun = false;
        MainWindowTest::TearDown();
    }

    TwoSysVars sysVars;

    QStringList checkList() const {
        QStringList out;
        for (int i = 0; i < form->ListView2->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* r = form->ListView2->topLevelItem(i);
            out << r->text(0) + u'|' + r->text(1) + u'|' + r->text(2);
        }
        return out;
    }
    int image(int row) const { return form->ListView2->topLevelItem(row)->data(0, Qt::UserRole).toInt(); }

    // Checks one row of the macro alone; answers the routine's result.
    bool checkRow(int row) {
        Debug::ProgramCheckReport().Clear();
        return Debug::CheckCommand(*form->Macro, form->Macro->keyword(row), form->Macro->params(row), 0, row,
                                   Debug::ProgramCheckReport());
    }
};

inline QString E(int line, const QString& message) { return QString::number(line) + QStringLiteral("|Erreur|") + message; }
inline QString W(int line, const QString& message) {
    return QString::number(line) + QStringLiteral("|Avertissement|") + message;
}
