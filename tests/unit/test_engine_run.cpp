// The run loop, run control and the dispatcher, on the fake desktop.
#include "tests/support/TestServices.h"
#include "core/Settings.h"
#include "core/MacroFile.h"
#include "core/Unit1.h"
#include "core/Unit34.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "core/RunState.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "platform/fake/FakePlatform.h"
#include "tools/Unit19.h"

#include "tests/support/TestSupport.h"
#include "tests/unit/HandlerSwap.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

platform::FakePlatform& fake() { return static_cast<platform::FakePlatform&>(platform::desktop()); }


// "Examine" rows decide by their parameter text; every row that runs is recorded.
QStringList ran;
CommandResult recordingCondition(CommandCall& c) {
    ran << QString::number(c.index + 1);
    BranchOnCondition(c, c.params == QLatin1String("vrai"), QStringLiteral("Examine"));
    return Done();
}
CommandResult recordingComment(CommandCall& c) { ran << QString::number(c.index + 1); return Done(); }

class EngineRun : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ran.clear();
        Variables().Clear();
        RunState().MacroRunning = RunState().BreakpointWait = RunState().RunEndedInError = false;
        RunState().ExecState = 0;
        RunState().SavedForegroundWindow = 0;
        testServices().onModal = [this](QWidget& w) {
            if (auto* f = qobject_cast<TForm34*>(&w)) internalErrors << f->Memo1->toPlainText();
        };
        settings().GeneralActive = false;  // no delay between rows
        settings().CheckBeforeRun = false;  // no check before the run
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        RunState().AutoRun = false;
    }
    void run() { form->Execute(form, false, 0); }
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
    QStringList internalErrors;
};

TEST_F(EngineRun, VariablesGotoAndLabels) {
    setRows({{"Variable", "A;1;Numerique;"},
             {"Goto", "Fin"},
             {"Variable", "A;2;Numerique;"},
             {"Label", "Fin"},
             {"Variable", "B;x;y;Alpha;"}});  // the separator stays inside the value
    run();
    EXPECT_EQ(var("A"), "1");
    EXPECT_EQ(var("B"), "x;y");
    EXPECT_EQ(RunState().ExecState, 0);
    EXPECT_FALSE(RunState().MacroRunning);
    EXPECT_EQ(RunState().ExecutedCount, 3);  // the run goes on after the label row
    EXPECT_FALSE(RunState().RunEndedInError);
}

// Without its label a Goto would jump to the top and could loop for ever.
TEST_F(EngineRun, GotoToAMissingLabelIsARunTimeErrorNamingIt) {
    HandlerSwap comment(15, [](CommandCall& c) {
        ran << QString::number(c.index + 1);
        if (ran.size() >= 4) RunState().MacroRunning = false;
        return Done();
    });
    setRows({{"Commentaire", "a"}, {"Commentaire", "b"}, {"Goto", "Nulle part"}});
    run();
    EXPECT_EQ(ran, QStringList({"1", "2"}));
    EXPECT_TRUE(RunState().RunEndedInError);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Goto : le label « Nulle part » n'existe pas. Arrêt de la macro inévitable. [Position 3]");
}

TEST_F(EngineRun, NumericGoto) {
    struct Case {
        QString target;
        bool error;
        QStringList rows;
    };
    const std::vector<Case> cases = {
        {"4", false, {"1"}},          // row count + 1: the run ends
        {"1", false, {"1", "1"}},     // back to the start (stopped by the recorder)
        {"0", true, {"1"}},           // out of range: a run-time error ends the run
        {"9", true, {"1"}},
    };
    HandlerSwap comment(15, [](CommandCall& c) {
        ran << QString::number(c.index + 1);
        if (ran.size() >= 2) RunState().MacroRunning = false;
        return Done();
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        ran.clear();
        messages.shown.clear();
        setRows({{"Commentaire", "x"}, {"Goto", c.target}, {"Commentaire", "jamais"}});
        run();
        EXPECT_EQ(ran, c.rows);
        EXPECT_EQ(RunState().RunEndedInError, c.error);
        EXPECT_EQ(messages.shown.size(), c.error ? 1 : 0);
        if (c.error) EXPECT_TRUE(messages.shown[0].text.contains("[Position 2]"));
    }
}

TEST_F(EngineRun, GotoToItsOwnRowStopsWithTheInternalError) {
    setRows({{"Goto", "1"}, {"Variable", "A;1;Numerique;"}});
    run();
    ASSERT_EQ(internalErrors.size(), 1);
    EXPECT_TRUE(internalErrors[0].contains("Vous avez généré une boucle illimité."));
    EXPECT_EQ(var("A"), "?");
    EXPECT_TRUE(RunState().RunEndedInError);
}

TEST_F(EngineRun, ExamineBranches) {
    HandlerSwap examine(4, recordingCondition);
    HandlerSwap comment(15, recordingComment);
    struct Case {
        QVector<QPair<QString, QString>> rows;
        QStringList expected;
    };
    const std::vector<Case> cases = {
        {{{"Examine", "vrai"}, {"Commentaire", "alors"}, {"Commentaire", "sinon"}, {"Commentaire", "après"}},
         {"1", "2", "4"}},
        {{{"Examine", "faux"}, {"Commentaire", "alors"}, {"Commentaire", "sinon"}, {"Commentaire", "après"}},
         {"1", "3", "4"}},
        // A chain of three conditions after the "then" row: all skipped once.
        {{{"Examine", "vrai"}, {"Commentaire", "alors"}, {"Examine", "vrai"}, {"Commentaire", "a2"},
          {"Examine", "vrai"}, {"Commentaire", "a3"}, {"Examine", "vrai"}, {"Commentaire", "a4"},
          {"Commentaire", "s4"}, {"Commentaire", "fin"}},
         {"1", "2", "10"}},
        // The chain reaching the end of the list writes nothing past it.
        {{{"Examine", "vrai"}, {"Commentaire", "alors"}, {"Examine", "vrai"}}, {"1", "2"}},
        {{{"Examine", "vrai"}, {"Commentaire", "alors"}}, {"1", "2"}},
        {{{"Examine", "faux"}}, {"1"}},
    };
    for (const Case& c : cases) {
        ran.clear();
        setRows(c.rows);
        run();
        EXPECT_EQ(ran, c.expected);
        EXPECT_EQ(RunState().ActiveOrder.size(), c.rows.size());
    }
}

TEST_F(EngineRun, AJumpBackIntoASkippedChainRunsItNormally) {
    HandlerSwap examine(4, [](CommandCall& c) {
        ran << QString::number(c.index + 1);
        BranchOnCondition(c, c.params == QLatin1String("vrai"), QStringLiteral("Examine"));
        return Done();
    });
    HandlerSwap comment(15, [](CommandCall& c) {
        ran << QString::number(c.index + 1);
        if (ran.size() >= 4) RunState().MacroRunning = false;
        return Done();
    });
    setRows({{"Examine", "vrai"}, {"Commentaire", "alors"}, {"Examine", "faux"}, {"Commentaire", "a2"},
             {"Commentaire", "s2"}, {"Goto", "4"}});
    run();
    EXPECT_EQ(ran, QStringList({"1", "2", "4", "5"}));
}

TEST_F(EngineRun, SkipFlagIsResetWhenTheRowIsPassed) {
    HandlerSwap comment(15, recordingComment);
    setRows({{"Commentaire", "a"}, {"Commentaire", "b"}});
    RunState().ActiveOrder = {true, false};
    int index = 1;
    form->Execute_commande(form->ListView1, index, RunState().ActiveOrder);
    EXPECT_EQ(index, 2);
    EXPECT_TRUE(RunState().ActiveOrder[1]);
    EXPECT_TRUE(ran.isEmpty());
    index = 1;
    form->Execute_commande(form->ListView1, index, RunState().ActiveOrder);
    EXPECT_EQ(ran, QStringList({"2"}));
}

TEST_F(EngineRun, FlagIndexOutOfRangeIsAnInternalError) {
    setRows({{"Commentaire", "a"}});
    TActiveOrder flags(1, true);
    int index = 3;
    form->Execute_commande(form->ListView1, index, flags);
    ASSERT_EQ(internalErrors.size(), 1);
    EXPECT_TRUE(internalErrors[0].contains("Indice ActiveOrder hors limite"));
    EXPECT_EQ(index, 3);
}

TEST_F(EngineRun, UnknownKeywordsArePassedOverSilently) {
    setRows({{"MonPlugin", "x;"}, {"Variable", "A;1;Numerique;"}});
    run();
    EXPECT_EQ(var("A"), "1");
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(EngineRun, QuitterEndsTheRunAndKeepsUnsavedEdits) {
    setRows({{"Variable", "A;1;Numerique;"}, {"Quitter", ""}, {"Variable", "A;2;Numerique;"}});
    OpenMacroFile().modified = true;
    run();
    EXPECT_EQ(var("A"), "1");
    EXPECT_TRUE(OpenMacroFile().modified);
    EXPECT_FALSE(RunState().RunEndedInError);
    EXPECT_EQ(form->windowTitle(), form->GetStateCaption());
}

TEST_F(EngineRun, QuitterInAnotherListIsPassedOver) {
    TListView sub;
    sub.add({"Quitter", "", 14});
    TActiveOrder flags(1, true);
    int index = 0;
    RunState().MacroRunning = true;
    form->Execute_commande(&sub, index, flags);
    EXPECT_TRUE(RunState().MacroRunning);
    EXPECT_EQ(index, 1);
    RunState().MacroRunning = false;
}

TEST_F(EngineRun, BreakpointStopsBeforeTheRowAndRunResumes) {
    setRows({{"Variable", "A;1;Numerique;"}, {"Variable", "B;2;Numerique;"}});
    form->ListView1->setIcon(0, kBreakpointIcon);
    QString caption;
    QString valueAtBreak;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (RunState().ExecState != 4) return;
        poll.stop();
        caption = form->windowTitle();
        valueAtBreak = var("A");
        form->Execute1Click();  // Run resumes
    });
    poll.start(20);
    run();
    EXPECT_EQ(caption, "Nouvelle macro - Orvanel [Stoppé par Point d'arrêt]");
    EXPECT_EQ(valueAtBreak, "?");
    EXPECT_EQ(var("A"), "1");
    EXPECT_EQ(var("B"), "2");
    EXPECT_EQ(RunState().ExecState, 0);
}

TEST_F(EngineRun, ResumingDuringTheShortPauseSkipsTheBreakpointWait) {
    setRows({{"Variable", "A;1;Numerique;"}});
    form->ListView1->setIcon(0, kBreakpointIcon);
    QVector<int> states;
    QTimer::singleShot(100, [&] { form->Execute1Click(); });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] { states << RunState().ExecState; });
    watch.start(30);
    run();
    EXPECT_FALSE(states.contains(4));
    EXPECT_EQ(var("A"), "1");
}

TEST_F(EngineRun, EscDuringALongPauseEndsTheRun) {
    setRows({{"Pause", "60;Sec;"}, {"Variable", "A;1;Numerique;"}});
    QTimer::singleShot(150, [&] {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(form->ListView1, &release);
    });
    run();
    EXPECT_EQ(var("A"), "?");
    EXPECT_FALSE(RunState().MacroRunning);
}

TEST_F(EngineRun, LongPausesCountDownInTheTitle) {
    const QString before = QApplication::applicationName();
    QString during;
    QTimer::singleShot(1200, [&] {
        during = QApplication::applicationName();
        RunState().MacroRunning = false;
    });
    RunState().MacroRunning = true;
    form->FnctPause("00:00:10");
    EXPECT_TRUE(during.startsWith("Pause 00:00:0")) << during.toStdString();
    EXPECT_TRUE(during.endsWith(" - Nouvelle macro")) << during.toStdString();
    EXPECT_EQ(QApplication::applicationName(), before);
}

TEST_F(EngineRun, StepRunsOneRowAtATimeAndPassesPauses) {
    setRows({{"Variable", "A;1;Numerique;"}, {"Pause", "60;Sec;"}, {"Variable", "B;2;Numerique;"}});
    form->Paspas1Click();
    EXPECT_EQ(var("A"), "1");
    EXPECT_EQ(RunState().ExecState, 2);
    EXPECT_EQ(form->windowTitle(), "Nouvelle macro - Orvanel [Pas à pas]");
    form->Paspas1Click();  // the Pause row is passed without waiting
    EXPECT_EQ(RunState().CurrentOrderIndex, 2);
    form->Paspas1Click();
    EXPECT_EQ(var("B"), "2");
    EXPECT_EQ(RunState().ExecState, 0);  // past the last row: step mode ends
}

TEST_F(EngineRun, StopReleasesModifiersThatAreDown) {
    auto& d = fake();
    d.keybd_event(platform::VK_LSHIFT, 0, 0);
    d.keybd_event(platform::VK_RMENU, 0, 0);
    d.keysToggled.insert(platform::VK_CAPITAL);
    d.calls.clear();
    form->Stop1Click();
    EXPECT_FALSE(d.IsKeyDown(platform::VK_SHIFT));
    EXPECT_FALSE(d.IsKeyDown(platform::VK_MENU));
    EXPECT_EQ(d.calls, QStringList({"keybd_event 0xa0 69 0x3", "keybd_event 0xa5 69 0x3"}));
}

TEST_F(EngineRun, ABreakpointTogglesOnTheSelectedRows) {
    setRows({{"Variable", "A;1;Numerique;"}, {"Commentaire", "x"}});
    form->ListView1->setSelected(0, true);
    form->ListView1->setSelected(1, true);
    form->Pointdarrt1Click();
    EXPECT_EQ(form->ListView1->icon(0), kBreakpointIcon);
    EXPECT_EQ(form->ListView1->icon(1), kBreakpointIcon);
    form->Pointdarrt1Click();
    EXPECT_EQ(form->ListView1->icon(0), TForm1::GetImageIndexOfText("Variable"));
    EXPECT_EQ(form->ListView1->icon(1), TForm1::GetImageIndexOfText("Commentaire"));
}

TEST_F(EngineRun, AFailedCheckRefusesTheRun) {
    settings().CheckBeforeRun = true;
    settings().CheckCommands = true;
    setRows({{"Variable", "A;1;Numerique;"}, {"Goto", "Nulle part"}});
    run();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text,
              "Cette macro comportent des erreurs, veuillez consulter le contrôle des commandes.");
    EXPECT_EQ(messages.shown[0].caption, "Erreur");
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    EXPECT_EQ(var("A"), "?");
    EXPECT_EQ(RunState().ExecState, 0);
}

TEST_F(EngineRun, ResumeWithoutAWaitingRunWarns) {
    form->Reprendrelexcution1Click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Aucune macro n'est en attente de reprise d'exécution.");
}

TEST_F(EngineRun, ControlsDuringAndAfterARun) {
    HandlerSwap comment(15, [](CommandCall&) {
        EXPECT_FALSE(Form1->Execute1->isEnabled());
        EXPECT_TRUE(Form1->SpeedButton105->isEnabled());
        EXPECT_TRUE(Form1->SpeedButton29->isEnabled());
        EXPECT_EQ(Form1->Reprendrelexcution1->shortcut(), QKeySequence(Qt::Key_F9));
        EXPECT_FALSE(Form1->ComboBox1->isEnabled());
        EXPECT_EQ(Form1->windowTitle(), "Nouvelle macro - Orvanel [En exécution]");
        ran << "x";
        return Done();
    });
    setRows({{"Commentaire", "x"}});
    run();
    EXPECT_EQ(ran.size(), 1);
    EXPECT_TRUE(form->Execute1->isEnabled());
    EXPECT_FALSE(form->SpeedButton105->isEnabled());
    EXPECT_EQ(form->Execute1->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_TRUE(form->ComboBox1->isEnabled());
    EXPECT_EQ(form->windowTitle(), "Nouvelle macro - Orvanel");
}

TEST_F(EngineRun, ARunFromRowZeroEmptiesTheVariables) {
    form->WriteVariable("VAR", "Z", "5");
    setRows({{"Commentaire", "x"}});
    run();
    EXPECT_EQ(var("Z"), "?");
    form->WriteVariable("VAR", "Z", "5");
    form->Execute(form, false, 0 + 1);  // from another row: kept
    EXPECT_EQ(var("Z"), "5");
}

TEST_F(EngineRun, DisplayModeChangesAroundTheRunOnTheFakeOnly) {
    auto& d = fake();
    settings().ResolutionFormat = "800 * 600 32 bits";
    settings().RestoreResolution = true;
    Form19->CheckBox7->setEnabled(true);
    d.calls.clear();
    setRows({{"Commentaire", "x"}});
    run();
    const QStringList modes = d.calls.filter("ChangeDisplaySettings");
    EXPECT_EQ(modes, QStringList({"ChangeDisplaySettings 800x600x32 test", "ChangeDisplaySettings 800x600x32",
                                  "ChangeDisplaySettings 1024x768x32 test", "ChangeDisplaySettings 1024x768x32"}));
    settings().ResolutionFormat = "800 * 600 16 bits";
    run();
    ASSERT_FALSE(messages.shown.isEmpty());
    EXPECT_EQ(messages.shown.last().text, "Mode Graphique non supporté");
}

}  // namespace
