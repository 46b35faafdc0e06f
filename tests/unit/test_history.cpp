#include "test_history_fixture.h"

#include <QTabWidget>
#include <QToolButton>
#include <map>

namespace {

using namespace HistoryAction;

class HistoryTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        setRows({{"Type", "r1;"}, {"Type", "r2;"}, {"Type", "r3;"}, {"Type", "r4;"}, {"Type", "r5;"}});
        original = rowTexts();
    }
    QStringList original;
};

TEST_F(HistoryTest, FirstModificationOfALineRecordsItsInitialValueOnce) {
    modify(2, "a;");
    modify(2, "b;");
    EXPECT_EQ(actions(), QStringList({"0 Nouvelle macro", "3 Valeur Initiale", "3 Modification", "3 Modification"}));
    EXPECT_EQ(form->ListView4->params(1), "r3;");
    form->SpeedButton25Click();
    EXPECT_EQ(form->ListView1->params(2), "a;");
    form->SpeedButton25Click();
    EXPECT_EQ(rowTexts(), original);
    EXPECT_EQ(currentAction(), Initial);
}

TEST_F(HistoryTest, UndoFollowsARowMovedByAnAdditionAbove) {
    modify(2, "r3a;");
    const QStringList afterFirst = rowTexts();
    addAt(0, "Pause", "1;");
    modify(3, "r3b;");  // the same row, now line 4: not its first change
    EXPECT_EQ(actions().mid(3), QStringList({"1 Ajout", "4 Modification"}));
    form->SpeedButton25Click();
    form->SpeedButton25Click();
    EXPECT_EQ(rowTexts(), afterFirst);
    // Redo gives back both.
    form->SpeedButton23Click();
    form->SpeedButton23Click();
    EXPECT_EQ(form->ListView1->params(3), "r3b;");
    EXPECT_EQ(form->ListView1->keyword(0), "Pause");
}

TEST_F(HistoryTest, AnotherRowNowAtTheSameLineIsItsOwnFirstChange) {
    modify(2, "r3a;");
    addAt(0, "Pause", "1;");
    modify(2, "r2a;");  // line 3 now holds the old second row
    EXPECT_EQ(form->ListView4->action(4), Initial);
    EXPECT_EQ(form->ListView4->params(4), "r2;");
    form->SpeedButton25Click();
    EXPECT_EQ(form->ListView1->params(2), "r2;");
    EXPECT_EQ(form->ListView1->params(3), "r3a;");
}

// Every history row, reached by steps or by a click, gives back the list as it
// stood at that row, whatever was added, deleted or moved above the changed rows.
TEST_F(HistoryTest, EveryRowReplaysToItsState) {
    std::map<int, QStringList> state{{0, original}};
    auto act = [&](const std::function<void()>& change) {
        const int first = form->ListView4->count();
        const QStringList before = rowTexts();
        change();
        for (int r = first; r < form->ListView4->count(); ++r) {
            const QString a = form->ListView4->action(r);
            state[r] = a == Initial || a == GroupBegin ? before : rowTexts();
        }
    };
    act([&] { modify(2, "r3a;"); });
    act([&] { addAt(0, "Pause", "1;"); });
    act([&] { modify(3, "r3b;"); });
    act([&] { modify(2, "r2a;"); });
    act([&] { select({1}); form->Supprimer1Click(); });
    act([&] { modify(2, "r3c;"); });
    act([&] { select({2}); form->Monterdunniveau1Click(); });
    act([&] { modify(1, "r3d;"); });
    act([&] { select({0}); form->Descendredunniveau1Click(); });
    act([&] { modify(1, "p;"); });
    act([&] { modify(0, "r2b;"); });
    const int last = form->ListView4->count() - 1;
    ASSERT_EQ(int(state.size()), last + 1);
    EXPECT_EQ(current(), last);

    for (int r = last - 1; r >= 0; --r) {
        form->SpeedButton25Click();
        ASSERT_EQ(current(), r);
        EXPECT_EQ(rowTexts(), state[r]) << "undo to history row " << r;
    }
    for (int r = 1; r <= last; ++r) {
        form->SpeedButton23Click();
        ASSERT_EQ(current(), r);
        EXPECT_EQ(rowTexts(), state[r]) << "redo to history row " << r;
    }
    for (int r : {3, 12, 0, 7, last, 5, 1, 9}) {
        jumpTo(r);
        EXPECT_EQ(rowTexts(), state[r]) << "jump to history row " << r;
    }
    EXPECT_EQ(form->ListView4->count(), last + 1);  // replays record nothing
}

TEST_F(HistoryTest, ANewEditAfterUndoCutsTheRedoTail) {
    modify(0, "a;");
    modify(1, "b;");
    modify(2, "c;");
    form->SpeedButton25Click();
    form->SpeedButton25Click();
    EXPECT_TRUE(form->SpeedButton23->isEnabled());
    modify(4, "e;");
    EXPECT_EQ(actions(), QStringList({"0 Nouvelle macro", "1 Valeur Initiale", "1 Modification", "2 Valeur Initiale",
                                      "2 Modification", "5 Valeur Initiale", "5 Modification"}));
    EXPECT_FALSE(form->SpeedButton23->isEnabled());
    EXPECT_FALSE(form->Refaire1->isEnabled());
    form->SpeedButton23Click();
    EXPECT_EQ(current(), 6);
}

TEST_F(HistoryTest, ButtonsFollowThePosition) {
    EXPECT_FALSE(form->SpeedButton25->isEnabled());
    EXPECT_FALSE(form->SpeedButton26->isEnabled());
    EXPECT_FALSE(form->SpeedButton23->isEnabled());
    EXPECT_FALSE(form->SpeedButton27->isEnabled());
    EXPECT_EQ(form->SpeedButton26->toolTip(), "Action groupée");
    modify(0, "a;");
    EXPECT_TRUE(form->SpeedButton25->isEnabled());
    EXPECT_TRUE(form->Dfaire1->isEnabled());
    EXPECT_FALSE(form->SpeedButton27->isEnabled());
    jumpTo(0);  // the first row undoes everything
    EXPECT_EQ(rowTexts(), original);
    EXPECT_FALSE(form->SpeedButton25->isEnabled());
    EXPECT_TRUE(form->SpeedButton23->isEnabled());
    EXPECT_TRUE(form->SpeedButton27->isEnabled());
    form->SpeedButton25Click();  // nothing above the first row
    EXPECT_EQ(current(), 0);
}

TEST_F(HistoryTest, GroupStepsStopAtTheMarkers) {
    auto group = [&](std::initializer_list<int> rows) {
        form->AddHistory(0, GroupBegin, {}, {});
        for (int r : rows) modify(r, "g;");
        form->AddHistory(0, GroupEnd, {}, {});
    };
    group({0, 1});
    const QStringList afterFirst = rowTexts();
    group({2, 3});
    const int last = form->ListView4->count() - 1;
    form->SpeedButton26Click();  // back over the second group: lands on its "Début" marker...
    EXPECT_EQ(rowTexts(), afterFirst);
    EXPECT_EQ(currentAction(), GroupEnd);  // ...or on the "Fin" right before it
    form->SpeedButton26Click();
    EXPECT_EQ(currentAction(), GroupBegin);
    EXPECT_EQ(rowTexts(), original);
    form->SpeedButton26Click();
    EXPECT_EQ(current(), 0);
    form->SpeedButton27Click();
    EXPECT_EQ(current(), 1);  // the first "Début"
    form->SpeedButton27Click();
    EXPECT_EQ(rowTexts(), afterFirst);
    EXPECT_EQ(form->ListView4->action(current() - 1), GroupEnd);
    EXPECT_EQ(currentAction(), GroupBegin);
    form->SpeedButton27Click();
    EXPECT_EQ(current(), last);
}

// "Défaire" and "Refaire" take a group of actions as one step, nested groups included.
TEST_F(HistoryTest, UndoAndRedoTakeAGroupAsOneStep) {
    addAt(5, "Pause", "1;");
    const QStringList beforeGroup = rowTexts();
    form->AddHistory(0, GroupBegin, {}, {});
    modify(0, "g;");
    form->AddHistory(0, GroupBegin, {}, {});
    modify(1, "g;");
    form->AddHistory(0, GroupEnd, {}, {});
    modify(2, "g;");
    form->AddHistory(0, GroupEnd, {}, {});
    const QStringList afterGroup = rowTexts();
    addAt(0, "Pause", "2;");
    const QStringList last = rowTexts();

    form->Dfaire1Click();
    EXPECT_EQ(rowTexts(), afterGroup);
    form->Dfaire1Click();
    EXPECT_EQ(rowTexts(), beforeGroup);
    form->Dfaire1Click();
    EXPECT_EQ(rowTexts(), original);
    form->Refaire1Click();
    EXPECT_EQ(rowTexts(), beforeGroup);
    form->Refaire1Click();
    EXPECT_EQ(rowTexts(), afterGroup);
    EXPECT_EQ(currentAction(), GroupEnd);
    form->Refaire1Click();
    EXPECT_EQ(rowTexts(), last);
}

TEST_F(HistoryTest, NothingIsRecordedWhileDisabled) {
    RowEditing().historyEnabled = false;
    modify(0, "x;");
    form->AddHistory(1, Delete, "Type", "x;");
    RowEditing().historyEnabled = true;
    EXPECT_EQ(form->ListView4->count(), 1);
}

TEST_F(HistoryTest, ResetStartsWithOneCurrentRow) {
    modify(0, "x;");
    form->ResetHistory(Open, "/tmp/a.mcr");
    EXPECT_EQ(actions(), QStringList({"0 Ouvrir"}));
    EXPECT_EQ(form->ListView4->params(0), "/tmp/a.mcr");
    EXPECT_EQ(current(), 0);
    EXPECT_FALSE(form->ListView4->topLevelItem(0)->icon(0).isNull());
}

TEST_F(HistoryTest, TheTabCanBeClosedAndShownAgain) {
    const int tab = form->PageControl1->indexOf(form->TabSheet5);
    EXPECT_EQ(form->PageControl1->tabText(tab), "Modifications");
    form->SpeedButton24Click();
    EXPECT_FALSE(form->PageControl1->isTabVisible(tab));
    form->Modificattion1Click();
    EXPECT_TRUE(form->PageControl1->isTabVisible(tab));
    EXPECT_EQ(form->PageControl1->currentIndex(), tab);
}

}  // namespace
