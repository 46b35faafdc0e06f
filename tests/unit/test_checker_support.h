#pragma once
// A main window whose check is switched on, with a few read-only system
// variables, and helpers that read the check list as "caption|kind|message".
#include "core/Debug.h"
#include "core/IgnoreMsg.h"
#include "core/Unit1.h"
#include "tests/support/TestSupport.h"
#include "tools/Unit19.h"

#include <QTreeWidget>

class CheckerTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        savedServices = Debug::services();
        Form19->CheckBox4->setChecked(true);
        Form19->CheckBox10->setChecked(true);
        Debug::services().sysVarWritable = [](const QString& name) -> std::optional<bool> {
            if (name == QLatin1String("[MOUSE.X]")) return false;
            if (name == QLatin1String("[ERROR]")) return true;
            return std::nullopt;
        };
    }
    void TearDown() override {
        Debug::services() = savedServices;
        TTabIgnoreMsg.clear();
        CommandLineRun = false;
        MainWindowTest::TearDown();
    }

    Debug::Services savedServices;

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
        form->ListView2->clear();
        return Debug::CheckCommand(form->ListView1, form->ListView1->keyword(row), form->ListView1->params(row), 0,
                                   row);
    }
};

inline QString E(int line, const QString& message) { return QString::number(line) + QStringLiteral("|Erreur|") + message; }
inline QString W(int line, const QString& message) {
    return QString::number(line) + QStringLiteral("|Avertissement|") + message;
}
