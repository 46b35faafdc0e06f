// Window objects on the real X server: messages to the visual-effect
// program, "Objet" rows finding xlogo windows, the pick list, the spy
// dragged over a window, and the program run unattended on such a macro.
#include "editors/Unit16.h"
#include "editors/Unit17.h"
#include "platform/ProgramMessages.h"
#include "platform/VirtualKeys.h"
#include "tests/desktop/DesktopRun.h"

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <memory>

namespace {

using namespace desktoptest;
using platform::HWND;

int atomCount() {
    QByteArray out;
    return run("xlsatoms", {}, &out) ? int(out.count('\n')) : -1;
}

// The windows `xdotool search --class` finds.
QStringList windowsOfClass(const QString& className) {
    QByteArray out;
    run("xdotool", {"search", "--class", className}, &out);
    return QString::fromLatin1(out).split(u'\n', Qt::SkipEmptyParts);
}

// A program of the test, ended with the test.
struct Started {
    explicit Started(const QString& program, const QStringList& args = {}) { process.start(program, args); }
    ~Started() {
        process.kill();
        process.waitForFinished(3000);
    }
    QProcess process;
};

// The xlogo windows shown, once there are `count` of them.
QVector<HWND> shownLogos(platform::Platform& d, int count) {
    QVector<HWND> logos;
    waitFor([&] {
        logos.clear();
        for (HWND top : d.EnumWindows())
            if (d.GetClassName(top) == "XLogo" && d.IsWindowVisible(top)) logos << top;
        return logos.size() == count;
    });
    return logos;
}

class ProgramMessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (qgetenv("ORVANEL_PRIVATE_X") != "1") GTEST_SKIP() << "run through run-under-xvfb.sh";
        desk = platform::openX11Platform();
        ASSERT_TRUE(desk);
    }
    std::unique_ptr<platform::Platform> desk;
};

TEST_F(ProgramMessagesTest, TheEffectWindowShowsOverEverythingLetsClicksThroughAndGoesOnStop) {
    Probe probe({"--title", "Sous l'effet"});
    const HWND under = showProbe(*desk, probe, "Sous l'effet");
    ASSERT_NE(under, 0u);
    Started effect(VISUAL_EFFECT_PROGRAM);
    HWND w = 0;
    ASSERT_TRUE(waitFor([&] { return (w = desk->FindProgramWindow(platform::kVisualEffectClass)) != 0; }));
    EXPECT_FALSE(desk->IsWindowVisible(w)) << "not shown before it is asked to";
    EXPECT_TRUE(windowsOfClass(platform::kVisualEffectClass).contains(QString::number(w)));

    const QPoint at = areaPoint(probe) - QPoint(20, 20);
    for (const platform::ProgramMessage& m : {platform::ProgramMessage{platform::VE_PICTURE, 0, 0, "/nulle/part.gif"},
                                              {platform::VE_POSITION, at.x(), at.y(), {}},
                                              {platform::VE_START, 0, 0, {}}})
        EXPECT_TRUE(desk->SendProgramMessage(w, m));
    ASSERT_TRUE(waitFor([&] { return desk->IsWindowVisible(w); }));
    QRect rect;
    ASSERT_TRUE(waitFor([&] { return desk->GetWindowRect(w, rect) && rect.contains(at + QPoint(5, 5)); }));
    EXPECT_NE(desk->GetForegroundWindow(), w) << "it takes no focus";

    // The mouse goes through it to the window below.
    const qsizetype seen = probe.lines().size();
    desk->SetCursorPos(at.x() + 5, at.y() + 5);
    desk->mouse_event(platform::MOUSEEVENTF_LEFTDOWN, 0, 0, 0);
    desk->mouse_event(platform::MOUSEEVENTF_LEFTUP, 0, 0, 0);
    EXPECT_EQ(probe.reports(seen, {"press"}, 1).size(), 1);

    // Texts travel without a new atom each.
    const int atoms = atomCount();
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(desk->SendProgramMessage(w, {platform::VE_TEXT, 0, 0, QString("Recherche n°%1\rClasse :X").arg(i)}));
    EXPECT_EQ(atomCount(), atoms);

    EXPECT_TRUE(desk->SendProgramMessage(w, {platform::VE_STOP, 0, 0, {}}));
    EXPECT_TRUE(effect.process.waitForFinished(5000));
    EXPECT_EQ(desk->FindProgramWindow(platform::kVisualEffectClass), 0u);
    EXPECT_FALSE(desk->SendProgramMessage(w, {platform::VE_STOP, 0, 0, {}}, 200)) << "no one to handle it";
}

// ---- "Objet" rows run in the editor ----

class ObjetDesktop : public DesktopRun {
protected:
    void SetUp() override {
        DesktopRun::SetUp();
        if (IsSkipped()) return;
        // The visual-effect program in the program folder.
        ASSERT_TRUE(QFile::link(VISUAL_EFFECT_PROGRAM, home.filePath(platform::kVisualEffectProgram)));
    }
    void TearDown() override {
        if (TForm17* list = Form17.made()) list->close();
        if (TForm16* spy = Form16.made()) spy->close();
        DesktopRun::TearDown();
    }
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
};

TEST_F(ObjetDesktop, ALateXlogoIsFoundWhileTheAnimationShows) {
    Started xlogo("sh", {"-c", "sleep 5; exec xlogo"});
    // Looks, from outside, for the animation's window while the run waits.
    bool animationSeen = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout,
                     [&] { animationSeen = animationSeen || !windowsOfClass(platform::kVisualEffectClass).isEmpty(); });
    watch.start(200);
    run({{"Variable", "[OBJECT.TIMEOUT];20;Numerique;"}, {"Objet", "1;0;;XLogo;;0;0;1;1;N;;16;"},
         {"Variable", "N;0;Numerique;"}});
    const QStringList logos = windowsOfClass("XLogo");
    ASSERT_EQ(logos.size(), 1);
    EXPECT_EQ(form->ListView1->params(1), logos[0] + ";0;;XLogo;;0;0;1;1;N;;16;");
    EXPECT_TRUE(animationSeen);
    EXPECT_TRUE(waitFor([] { return windowsOfClass(platform::kVisualEffectClass).isEmpty(); }));
    EXPECT_FALSE(RunState().RunEndedInError);
}

TEST_F(ObjetDesktop, NoWindowBeforeTheTimeoutIsTheRunTimeError) {
    run({{"Variable", "[OBJECT.TIMEOUT];2;Numerique;"}, {"Objet", "1;0;;PasDeTelleClasse;;0;0;1;1;;;16;"}});
    EXPECT_EQ(var("[ERROR]"),
              "Macro en attente de recherche d'objet :  \rClasse :PasDeTelleClasse\r[OBJECT.TIMEOUT] a expiré.\r");
    EXPECT_TRUE(waitFor([] { return windowsOfClass(platform::kVisualEffectClass).isEmpty(); }));
}

TEST_F(ObjetDesktop, TwoLogosOpenThePickListAndEscEndsTheWait) {
    Started one("xlogo"), two("xlogo");
    ASSERT_EQ(shownLogos(desk(), 2).size(), 2);
    bool listed = false;
    QTimer::singleShot(1000, [&] {
        listed = Form17->isVisible() && Form17->ListView1->topLevelItemCount() == 2;
        desk().SetForegroundWindow(Form17->winId());
        desk().keybd_event(platform::VK_ESCAPE, 0, 0);
        desk().keybd_event(platform::VK_ESCAPE, 0, platform::KEYEVENTF_KEYUP);
    });
    QElapsedTimer clock;
    clock.start();
    run({{"Objet", "1;0;;XLogo;;0;0;1;1;;;16;"}, {"Variable", "APRES;1;Numerique;"}});
    EXPECT_TRUE(listed);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_FALSE(Form17->isVisible());
    EXPECT_EQ(var("APRES"), "?") << "the run stopped";
    EXPECT_EQ(form->ListView1->params(0), "1;0;;XLogo;;0;0;1;1;;;16;");
}

TEST_F(ObjetDesktop, TheSpyDraggedOverAWindowWritesItAndItsParents) {
    Started xlogo("xlogo", {"-geometry", "200x200+1020+700"});  // beside the wizard
    const HWND logo = shownLogos(desk(), 1).value(0);
    ASSERT_NE(logo, 0u);
    QRect logoRect;
    ASSERT_TRUE(desk().GetWindowRect(logo, logoRect));
    Form16->Spy1Click();
    ASSERT_TRUE(waitFor([] { return Form16->windowHandle() && Form16->windowHandle()->isExposed(); }));
    const QPoint target = Form16->Image1->mapToGlobal(Form16->Image1->rect().center());
    const QPoint inside = logoRect.center() + QPoint(0, 20);
    desk().SetCursorPos(target.x(), target.y());
    QTimer::singleShot(300, [&] { desk().mouse_event(platform::MOUSEEVENTF_LEFTDOWN, 0, 0, 0); });
    QTimer::singleShot(800, [&] { desk().SetCursorPos(inside.x(), inside.y()); });
    QTimer::singleShot(1500, [&] { desk().mouse_event(platform::MOUSEEVENTF_LEFTUP, 0, 0, 0); });
    ASSERT_TRUE(waitFor([] { return !Form16->CapturedObjects.isEmpty() && Form16->windowTitle() == "Spy"; }, 8000));
    for (int i = 0; i < 4 && Form16->isVisible(); ++i) Form16->Button5->click();
    ASSERT_FALSE(Form16->isVisible());

    // One row per window from xlogo's to the one under the cursor, each naming its parent as X does.
    QStringList classes;
    for (int r = 0; r < form->ListView1->count(); ++r) {
        const TParamFields f = TForm1::GetParam(form->ListView1->params(r));
        classes << f[4];
        if (r == 0) {
            EXPECT_EQ(f[1], QString::number(logo));
            EXPECT_EQ(f[2], "0") << "a top-level window has no parent";
            continue;
        }
        QByteArray tree;
        ASSERT_TRUE(desktoptest::run("xwininfo", {"-tree", "-id", f[1]}, &tree));
        const QRegularExpressionMatch parent = QRegularExpression("Parent window id: (0x[0-9a-f]+)").match(tree);
        ASSERT_TRUE(parent.hasMatch());
        EXPECT_EQ(f[2].toULongLong(), parent.captured(1).toULongLong(nullptr, 16));
        EXPECT_EQ(f[2], TForm1::GetParam(form->ListView1->params(r - 1))[1]);
    }
    EXPECT_EQ(classes, QStringList({"XLogo", ""})) << "xlogo and its inner window";
}

// ---- The program itself, unattended ----

TEST(ObjetUnattended, TheProgramWaitsForALateWindowWithItsAnimation) {
    if (qgetenv("ORVANEL_PRIVATE_X") != "1") GTEST_SKIP() << "run through run-under-xvfb.sh";
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString macro = home.filePath("objet.mcr");
    QProcess writer;
    writer.start("python3", {WRITE_MACRO, macro});
    // Runs the row twice: the report's second line shows the handle found the first time.
    writer.write("Variable\t[OBJECT.TIMEOUT];0;Numerique;\nVariable\tI;0;Numerique;\nLabel\tencore\n"
                 "Objet\t1;0;;XLogo;;0;0;1;1;;;16;\nCalcul\tI;+;1;\nExamine\tI;<;2;\nGoto\tencore\nCommentaire\tfin\n");
    writer.closeWriteChannel();
    ASSERT_TRUE(writer.waitForFinished(10000) && writer.exitCode() == 0);
    QFile config(home.filePath("config.ini"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("[Control]\r\nRapport=True\r\n");
    config.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORVANEL_HOME", home.path());
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(ORVANEL_PROGRAM, {macro});
    ASSERT_TRUE(program.waitForStarted(10000));
    EXPECT_TRUE(waitFor([] { return !windowsOfClass(platform::kVisualEffectClass).isEmpty(); }, 5000))
        << "the animation while the run waits";
    Started xlogo("xlogo");
    const bool ended = program.waitForFinished(30000);
    if (!ended) program.kill();
    ASSERT_TRUE(ended) << program.readAllStandardError().toStdString();
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_TRUE(windowsOfClass(platform::kVisualEffectClass).isEmpty());
    const QStringList logos = windowsOfClass("XLogo");
    ASSERT_EQ(logos.size(), 1);
    QFile report(home.filePath("rapport000001.doc"));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_TRUE(report.readAll().contains((logos[0] + ";0;;XLogo;").toLatin1())) << "the row as it ran the second time";
}

}  // namespace
