// The sequence recorder: desktop events into "temp.sqc" rows, the optimiser,
// the copy into the macro, and the event procedures of a run.
#include "core/FileDialog.h"
#include "core/History.h"
#include "core/MacroFileRecord.h"
#include "engine/Recorder.h"
#include "editors/Unit28.h"
#include "engine/mdlfnct.h"
#include "platform/VirtualKeys.h"
#include "tests/support/TestServices.h"
#include "tests/unit/RunTest.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>

using platform::DesktopEvent;

namespace {

using Rows = QVector<MacroCommand>;

Rows rowsOf(const QVector<QPair<QString, QString>>& pairs) {
    Rows rows;
    for (const auto& [k, p] : pairs) rows.push_back({k, p, TForm1::GetImageIndexOfText(k)});
    return rows;
}

QStringList texts(const Rows& rows) {
    QStringList out;
    for (const MacroCommand& r : rows) out << r.keyword + u'|' + r.params;
    return out;
}

// The rows of a macro file, as "keyword|params".
QStringList fileRows(const QString& fileName) {
    TMacroFileData data;
    if (!data.load(fileName, nullptr)) return {"(unreadable)"};
    QStringList out;
    for (int i = 0; i < data.count(); ++i) {
        const TMacroFileRecord r = data.record(i, false);
        out << r.keyword + u'|' + r.params;
    }
    return out;
}

DesktopEvent mouse(DesktopEvent::Kind kind, int x, int y, DesktopEvent::Button b = DesktopEvent::NoButton) {
    DesktopEvent e;
    e.kind = kind;
    e.pos = {x, y};
    e.button = b;
    return e;
}

DesktopEvent key(DesktopEvent::Kind kind, int scan, const QString& text = {}, bool repeat = false) {
    DesktopEvent e;
    e.kind = kind;
    e.scanCode = scan;
    e.text = kind == DesktopEvent::KeyDown ? text : QString();
    e.repeat = repeat;
    return e;
}

}  // namespace

TEST(RecorderPause, WholeSecondsAndRoundingAboveSixHundred) {
    const QVector<QPair<qint64, int>> cases = {{0, 0},    {500, 0},  {700, 0},  {999, 0},   {1000, 1},
                                               {1500, 1}, {1600, 1}, {1601, 2}, {1700, 2}, {2601, 3}};
    for (const auto& [ms, seconds] : cases) EXPECT_EQ(recorder::PauseSeconds(ms), seconds) << ms << " ms";
    EXPECT_EQ(recorder::TimeText(3725), "01:02:05");
    EXPECT_EQ(recorder::TimeSeconds("01:02:05"), 3725);
    EXPECT_EQ(recorder::TimeSeconds("1:2:5"), -1);
}

class Recorder : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        shift = mdlfnct::KeyNameOfVk(platform::VK_SHIFT);
        space = mdlfnct::KeyNameOfVk(platform::VK_SPACE);
        ASSERT_FALSE(shift.isEmpty());
        ASSERT_FALSE(space.isEmpty());
    }
    // A recorder writing file `name` on a clock the test moves.
    void open(bool trackWindows = false) {
        rec.Clock = [this] { return now; };
        ASSERT_TRUE(rec.Open(path("rec.sqc"), false, trackWindows, nullptr));
    }
    QStringList recorded() {
        rec.Close();
        return fileRows(path("rec.sqc"));
    }
    recorder::TSequenceRecorder rec;
    qint64 now = 1000;
    QString shift, space;
};

TEST_F(Recorder, OptimiserRules) {
    struct Case {
        const char* name;
        QVector<QPair<QString, QString>> in;
        QStringList out;
    };
    const QString sh = shift;
    const QVector<Case> cases = {
        {"press and release make a click",
         {{"Click", "Left Down;"}, {"Click", "Left Up;"}, {"Click", "Right Down;"}, {"Click", "Right Up;"}},
         {"Click|Left click;", "Click|Right click;"}},
        {"a press of another button stays", {{"Click", "Left Down;"}, {"Click", "Middle Up;"}},
         {"Click|Left Down;", "Click|Middle Up;"}},
        {"pauses add up, an empty one goes",
         {{"Pause", "00:00:02;"}, {"Pause", "00:00:59;"}, {"Pause", "00:00:00;"}, {"Type", "a"}},
         {"Pause|00:01:01;", "Type|a"}},
        {"points join the path before them",
         {{"Parcours souris", "1;2;"}, {"Move Mouse", "3;4;Indirect;"}, {"Type", "x"}},
         {"Parcours souris|1;2;3;4;", "Type|x"}},
        {"wheel notches add up",
         {{"Click", "Whell Up;1;"}, {"Click", "Whell Up;1;"}, {"Click", "Whell Up;1;"}, {"Click", "Whell Down;1;"}},
         {"Click|Whell Up;3;", "Click|Whell Down;1;"}},
        {"a key down and up is one key",
         {{"Type Special", "Entrée;[KeyDown];"}, {"Type Special", "Entrée;[KeyUp];"}}, {"Type Special|Entrée;"}},
        {"shift around a typed character keeps the character as typed",
         {{"Type Special", sh + ";[KeyDown];"}, {"Type", "A"}, {"Type Special", sh + ";[KeyUp];"},
          {"Type Special", sh + ";[KeyDown];"}, {"Type", "!"}, {"Type Special", sh + ";[KeyUp];"}},
         {"Type|A", "Type|!"}},
        {"the space bar and keypad digits are typed",
         {{"Type", "a"}, {"Type Special", space + ";"},
          {"Type Special", mdlfnct::KeyNameOfVk(platform::VK_NUMPAD0 + 7) + ";"}},
         {"Type|a", "Type| ", "Type|7"}},
    };
    for (const Case& c : cases) {
        Rows rows = rowsOf(c.in);
        recorder::Optimise(rows);
        EXPECT_EQ(texts(rows), c.out) << c.name;
    }
}

TEST_F(Recorder, CopyAdjustsPausesAndKeepsOnlyDestinations) {
    Rows rows = rowsOf({{"Pause", "00:00:01;"}, {"Pause", "00:00:02;"}, {"Pause", "00:00:05;"},
                        {"Parcours souris", "1;2;3;4;"}, {"Parcours souris", "5;6;7;8;"}, {"Type", "x"},
                        {"Parcours souris", "9;10;"}});
    Rows shortened = rows;
    recorder::AdjustForCopy(shortened, -2, false);
    EXPECT_EQ(texts(shortened).mid(0, 2), QStringList({"Pause|00:00:03;", "Parcours souris|1;2;3;4;"}));
    recorder::AdjustForCopy(rows, 0, true);
    EXPECT_EQ(texts(rows), QStringList({"Pause|00:00:01;", "Pause|00:00:02;", "Pause|00:00:05;",
                                        "Move Mouse|7;8;Indirect;", "Type|x", "Move Mouse|9;10;Indirect;"}));
}

TEST_F(Recorder, EventsBecomeRows) {
    open();
    for (int p : {10, 20, 30}) rec.OnEvent(mouse(DesktopEvent::MouseMove, p, p));
    rec.OnEvent(mouse(DesktopEvent::MouseMove, 30, 30));  // no move
    rec.OnEvent(mouse(DesktopEvent::ButtonDown, 30, 30, DesktopEvent::Left));
    rec.OnEvent(mouse(DesktopEvent::ButtonUp, 30, 30, DesktopEvent::Left));
    now += 1700;
    rec.OnEvent(key(DesktopEvent::KeyDown, 30, "é"));
    rec.OnEvent(key(DesktopEvent::KeyDown, 30, "é", true));
    rec.OnEvent(key(DesktopEvent::KeyUp, 30));
    now += 700;  // under a second: no pause
    rec.OnEvent(key(DesktopEvent::KeyDown, 28));
    rec.OnEvent(key(DesktopEvent::KeyDown, 28, {}, true));
    rec.OnEvent(key(DesktopEvent::KeyUp, 28));
    DesktopEvent wheel = mouse(DesktopEvent::Wheel, 30, 30);
    wheel.wheel = -platform::WHEEL_DELTA;
    rec.OnEvent(wheel);
    rec.OnEvent(mouse(DesktopEvent::ButtonDown, 50, 60, DesktopEvent::Right));
    rec.OnEvent(mouse(DesktopEvent::ButtonUp, 50, 60, DesktopEvent::Right));
    EXPECT_EQ(recorded(), QStringList({"Parcours souris|20;20;30;30;", "Click|Left Down;", "Click|Left Up;",
                                       "Pause|00:00:02;", "Type|é", "Type|é", "Type Special|Entrée;[KeyDown];",
                                       "Type Special|Entrée;", "Type Special|Entrée;[KeyUp];",
                                       "Click|Whell Down;1;", "Move Mouse|50;60;Indirect;", "Click|Right Down;",
                                       "Click|Right Up;"}));
}

TEST_F(Recorder, PathsAreCutInRowsOfThirtyPointsAndSinglePointsKept) {
    open();
    for (int i = 0; i < 31; ++i) rec.OnEvent(mouse(DesktopEvent::MouseMove, i, 100));
    rec.OnEvent(mouse(DesktopEvent::ButtonDown, 30, 100, DesktopEvent::Left));
    // A path of one point writes no path: the click there moves the cursor first.
    rec.OnEvent(mouse(DesktopEvent::MouseMove, 500, 500));
    rec.OnEvent(mouse(DesktopEvent::ButtonUp, 500, 500, DesktopEvent::Left));
    const QStringList rows = recorded();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].count(u';'), 60);
    EXPECT_TRUE(rows[0].startsWith("Parcours souris|1;100;")) << rows[0].toStdString();
    EXPECT_EQ(rows.mid(1), QStringList({"Click|Left Down;", "Move Mouse|500;500;Indirect;", "Click|Left Up;"}));
}

TEST_F(Recorder, OwnWindowsAreLeftOutAndForeignWindowsTracked) {
    fake().windows = {{0x10, "Recorder", "Capture", {0, 0, 100, 100}, 0, QCoreApplication::applicationPid()},
                      {0x20, "Editor", "Texte", {200, 150, 300, 200}, 0, 4242}};
    fake().foreground = 0x20;
    open(true);
    rec.OnEvent(mouse(DesktopEvent::ButtonDown, 50, 50, DesktopEvent::Left));  // on our own window
    rec.OnEvent(mouse(DesktopEvent::ButtonDown, 250, 200, DesktopEvent::Left));
    const QStringList rows = recorded();
    ASSERT_EQ(rows.size(), 7) << rows.join('\n').toStdString();
    EXPECT_EQ(rows[0], "Variable|[HANDLE.FOREGROUNDWINDOW];0;Numerique;");
    EXPECT_TRUE(rows[1].startsWith("Objet|32;0;")) << rows[1].toStdString();
    EXPECT_TRUE(rows[1].endsWith(";Editor;Texte;0;0;1;1;;;248;")) << rows[1].toStdString();
    EXPECT_EQ(rows.mid(2), QStringList({"Manipulation|32;Déplacer;200;150;", "Manipulation|32;Taille;300;200;",
                                        "Pause|00:00:01;", "Move Mouse|250;200;Indirect;", "Click|Left Down;"}));
}

TEST_F(Recorder, WindowRecordsAndCopiesIntoTheMacroAsOneStep) {
    setRows({{"Type", "avant"}});
    auto* window = new TForm28;
    ASSERT_TRUE(RecorderAvailable);
    window->SpeedButton1Click();
    ASSERT_TRUE(fake().desktopEventHandler);
    fake().EmitDesktopEvent(mouse(DesktopEvent::ButtonDown, 5, 6, DesktopEvent::Left));
    fake().EmitDesktopEvent(mouse(DesktopEvent::ButtonUp, 5, 6, DesktopEvent::Left));
    DesktopEvent shiftDown = key(DesktopEvent::KeyDown, 42), shiftUp = key(DesktopEvent::KeyUp, 42);
    fake().EmitDesktopEvent(shiftDown);
    fake().EmitDesktopEvent(key(DesktopEvent::KeyDown, 2, "1"));
    fake().EmitDesktopEvent(key(DesktopEvent::KeyUp, 2));
    fake().EmitDesktopEvent(shiftUp);
    window->SpeedButton3Click();
    EXPECT_FALSE(fake().desktopEventHandler);
    form->ListView1->setCurrentIndex(form->ListView1->model()->index(0, 0));
    const int historyBefore = form->ListView4->count();
    window->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|avant", "Variable|[HANDLE.FOREGROUNDWINDOW];0;Numerique;",
                                       "Move Mouse|5;6;Indirect;", "Click|Left click;", "Type|1"}));
    EXPECT_EQ(form->ListView4->action(historyBefore), HistoryAction::GroupBegin);
    EXPECT_EQ(form->ListView4->action(form->ListView4->count() - 1), HistoryAction::GroupEnd);

    // One "Défaire" takes the whole copy away, the declaration it made twice included.
    const QStringList once = rowTexts();
    window->Button1Click();
    EXPECT_EQ(rowTexts().count(QStringLiteral("Variable|[HANDLE.FOREGROUNDWINDOW];0;Numerique;")), 1);
    form->Dfaire1Click();
    EXPECT_EQ(rowTexts(), once);
    form->Dfaire1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|avant"}));

    // A new recording over the old one asks first; "Non" keeps it.
    const QStringList before = fileRows(TForm28::RecordingFile());
    messages.answer = mrNo;
    window->SpeedButton1Click();
    EXPECT_EQ(messages.texts().last(), "Voulez vous réellement ignorer l'ancienne séquence ?");
    EXPECT_FALSE(window->Recording());
    EXPECT_EQ(fileRows(TForm28::RecordingFile()), before);

    // Bad seconds are said and copy nothing.
    window->Edit1->setText("deux");
    const QStringList rows = rowTexts();
    window->Button1Click();
    EXPECT_EQ(rowTexts(), rows);
    EXPECT_EQ(lastMessage(), "\"deux\" n'est pas un nombre entier de secondes.");
}

TEST_F(Recorder, PauseResumesIntoTheSameFile) {
    auto* window = new TForm28;
    window->CheckBox3->setChecked(true);  // no window tracking
    window->SpeedButton1Click();
    fake().EmitDesktopEvent(key(DesktopEvent::KeyDown, 16, "a"));
    window->SpeedButton2Click();
    EXPECT_FALSE(fake().desktopEventHandler);
    fake().EmitDesktopEvent(key(DesktopEvent::KeyDown, 17, "z"));  // not watched
    window->SpeedButton1Click();
    EXPECT_TRUE(messages.shown.isEmpty());
    fake().EmitDesktopEvent(key(DesktopEvent::KeyDown, 18, "e"));
    window->SpeedButton3Click();
    EXPECT_EQ(fileRows(TForm28::RecordingFile()), QStringList({"Type|a", "Type|e"}));
    window->close();
    EXPECT_FALSE(QFile::exists(TForm28::RecordingFile()));
}

TEST_F(Recorder, RefusedWatchIsSaid) {
    fake().canWatchEvents = false;
    auto* window = new TForm28;
    EXPECT_FALSE(RecorderAvailable);
    window->SpeedButton1Click();
    EXPECT_EQ(messages.texts(), QStringList({"Capture des événements souris impossible.",
                                             "Capture des événement clavier impossible."}));
    EXPECT_FALSE(window->Recording());
}

// The event procedures run inside the run, while a row waits: here the fake
// start of a program is where the user clicks and types.
TEST_F(Recorder, EventProceduresRunOncePerEvent) {
    QVector<DesktopEvent> events = {mouse(DesktopEvent::ButtonDown, 1, 1, DesktopEvent::Right),
                                    mouse(DesktopEvent::MouseMove, 2, 2),
                                    mouse(DesktopEvent::ButtonUp, 1, 1, DesktopEvent::Right),
                                    key(DesktopEvent::KeyDown, 16, "a"), key(DesktopEvent::KeyUp, 16)};
    fake().onStartProgram = [&](const QString&) {
        for (const DesktopEvent& e : events) fake().EmitDesktopEvent(e);
    };
    run({{"Variable", "N;0;Numerique;"},
         {"Variable", "K;0;Numerique;"},
         {"Variable", "[EVENT.ACTIVATE];1;Numerique;"},
         {"Execute", "/bin/sh;"},
         {"Goto", "FIN;"},
         {"Procedure", "[EVENT.MOUSEDOWN]"},
         {"Calcul", "N;+;1;"},
         {"Procedure", "END"},
         {"Procedure", "[EVENT.KEYPRESS]"},
         {"Calcul", "K;+;1;"},
         {"Procedure", "END"},
         {"Label", "FIN"}});
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(var("N"), "1");
    EXPECT_EQ(var("K"), "1");
    EXPECT_EQ(var("[EVENT.BUTTON]"), "Right");
    EXPECT_EQ(var("[EVENT.KEY]"), "a");
    EXPECT_FALSE(recorder::TEventWatch::Instance().Procedures);  // the end of the run switched them off
    EXPECT_FALSE(fake().desktopEventHandler);
}

// "Sauvegarder vers fichier": the recording as it stands, ".mcr" added to a
// name without one; an existing file is replaced.
TEST_F(Recorder, SaveCopiesTheRecordingUnchanged) {
    auto* window = new TForm28;
    window->CheckBox3->setChecked(true);
    window->SpeedButton1Click();
    fake().EmitDesktopEvent(mouse(DesktopEvent::ButtonDown, 5, 6, DesktopEvent::Left));
    fake().EmitDesktopEvent(mouse(DesktopEvent::ButtonUp, 5, 6, DesktopEvent::Left));
    window->SpeedButton3Click();
    write(path("copie.mcr"), "ancien");
    testServices().onChooseFile = [&](TFileDialog& d) {
        d.FileName = path("copie");
        return true;
    };
    window->Button2Click();
    EXPECT_EQ(bytes(path("copie.mcr")), bytes(TForm28::RecordingFile()));
    EXPECT_EQ(fileRows(path("copie.mcr")),
              QStringList({"Move Mouse|5;6;Indirect;", "Click|Left Down;", "Click|Left Up;"}));
}
