// The sequence recorder and the event procedures on the private X server:
// what xdotool does is recorded into "temp.sqc", what the program types
// itself is not, and a click runs the event procedure once.
#include "core/MacroFileRecord.h"
#include "editors/Unit28.h"
#include "tests/desktop/DesktopRun.h"

#include <QCheckBox>
#include <QTimer>

namespace {

using namespace desktoptest;

// The rows of "temp.sqc" as "keyword|params", without the pauses and the
// held keys (Shift, AltGr) the typing went through.
QStringList recordedRows() {
    TMacroFileData data;
    if (!data.load(TForm28::RecordingFile(), nullptr)) return {};
    QStringList out;
    for (int i = 0; i < data.count(); ++i) {
        const TMacroFileRecord r = data.record(i, false);
        if (r.keyword != u"Pause" && r.keyword != u"Type Special") out << r.keyword + u'|' + r.params;
    }
    return out;
}

bool xdotool(const QStringList& args) { return run("xdotool", args); }

class RecorderDesktop : public DesktopRun {
protected:
    void SetUp() override {
        DesktopRun::SetUp();
        if (!form) return;
        form->hide();
        window = new TForm28;
        ASSERT_TRUE(RecorderAvailable);
        window->CheckBox3->setChecked(true);  // the rows of the events alone
    }
    // Records until the rows end with `last` (10 s at most).
    QStringList recordUntil(const QString& last) {
        waitFor([&] { return recordedRows().endsWith(last); }, 10000);
        window->SpeedButton3Click();
        return recordedRows();
    }
    TForm28* window = nullptr;
};

TEST_F(RecorderDesktop, XdotoolEventsAreRecordedAsRows) {
    useLayout("fr");
    Probe probe({"--title", "Cible"});
    ASSERT_TRUE(showProbe(desk(), probe, "Cible"));
    const QPoint p = areaPoint(probe);
    window->SpeedButton1Click();
    ASSERT_TRUE(window->Recording());
    ASSERT_TRUE(xdotool({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())}));
    ASSERT_TRUE(xdotool({"click", "1"}));
    ASSERT_TRUE(xdotool({"type", "--delay", "30", "Été!"}));
    ASSERT_TRUE(xdotool({"click", "4"}));
    const QString move = QStringLiteral("Move Mouse|%1;%2;Indirect;").arg(p.x()).arg(p.y());
    EXPECT_EQ(recordUntil("Click|Whell Up;1;"),
              QStringList({move, "Click|Left Down;", "Click|Left Up;", "Type|É", "Type|t", "Type|é", "Type|!",
                           "Click|Whell Up;1;"}));
}

TEST_F(RecorderDesktop, WhatTheProgramTypesIsNotRecorded) {
    Probe probe({"--title", "Saisie"});
    ASSERT_TRUE(showProbe(desk(), probe, "Saisie"));
    window->SpeedButton1Click();
    ASSERT_TRUE(window->Recording());
    run({{"Type", "bonjour"}, {"Move Mouse", "20;30;Direct;"}});
    ASSERT_TRUE(xdotool({"type", "x"}));  // the user's, after the macro's
    EXPECT_EQ(recordUntil("Type|x"), QStringList({"Type|x"}));
}

// The run waits in a loop until the mouse procedure has run; the key
// procedure types, which must not run it again.
TEST_F(RecorderDesktop, ClickRunsTheEventProcedureOnce) {
    Probe probe({"--title", "Clic"});
    ASSERT_TRUE(showProbe(desk(), probe, "Clic"));
    const QPoint p = areaPoint(probe);
    auto value = [&](const char* name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    };
    QTimer::singleShot(200, [&] {
        xdotool({"key", "a"});
        waitFor([&] { return value("K") == "1"; });
        xdotool({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y()), "click", "3"});
    });
    QTimer::singleShot(30000, [&] { form->Stop1Click(); });  // never hangs the tests
    run({{"Variable", "N;0;Numerique;"},
         {"Variable", "K;0;Numerique;"},
         {"Variable", "[EVENT.ACTIVATE];1;Numerique;"},
         {"Label", "ATTENTE"},
         {"Pause", "00:00:01"},
         {"Examine", "N;=;0;"},
         {"Goto", "ATTENTE"},
         {"Goto", "FIN"},
         {"Procedure", "[EVENT.KEYPRESS]"},
         {"Calcul", "K;+;1;"},
         {"Type", "zz"},
         {"Procedure", "END"},
         {"Procedure", "[EVENT.MOUSEDOWN]"},
         {"Calcul", "N;+;1;"},
         {"Procedure", "END"},
         {"Label", "FIN"}});
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(value("N"), "1");
    EXPECT_EQ(value("K"), "1");
    EXPECT_EQ(value("[EVENT.BUTTON]"), "Right");
}

}  // namespace
