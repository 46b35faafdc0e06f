#pragma once
// A shown main window with the list focused and a fresh history, for the
// editing tests (history, clipboard, inclusions, find and replace).
#include "core/History.h"
#include "core/Unit1.h"
#include "tests/support/TestSupport.h"

#include <QApplication>

class EditingTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form->show();
        focusList();
        form->ResetHistory(HistoryAction::NewMacro);
    }
    void focusList() {
        form->activateWindow();
        QApplication::setActiveWindow(form);
        form->ListView1->setFocus();
        QApplication::processEvents();
    }
    void select(std::initializer_list<int> rows) {
        form->ListView1->clearSelection();
        for (int r : rows) form->ListView1->setSelected(r, true);
    }
    // As a command dialog modifies a row.
    void modify(int row, const QString& params) {
        RowEditing().previousParams = form->ListView1->params(row);
        RowEditing().modifying = true;
        form->ListView1->setParams(row, params);
        form->SaveBeforeChange(row);
        RowEditing().modifying = false;
    }
    // As a command dialog adds a row at a given place.
    void addAt(int row, const QString& keyword, const QString& params) {
        form->ListView1->insert(row, {keyword, params, TForm1::GetImageIndexOfText(keyword)});
        form->SaveBeforeChange(row);
    }
    QStringList actions() const {
        QStringList out;
        for (int r = 0; r < form->ListView4->count(); ++r)
            out << QString::number(form->ListView4->line(r)) + u' ' + form->ListView4->action(r);
        return out;
    }
    int current() const { return form->ListView4->tag; }
    QString currentAction() const { return form->ListView4->action(current()); }
    void jumpTo(int row) {
        form->ListView4->selectOnly(row);
        form->ListView4Click();
    }
};
