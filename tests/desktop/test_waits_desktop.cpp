// The program itself waiting for a person: a run from the command line shows
// its macro's "Message" and the pause key's question and waits for them;
// every wait, there and in the editor, ends at once on SIGTERM and SIGINT,
// and in a run from the command line on Esc and the stop key, with status 1.
#include "core/MacroFileRecord.h"
#include "platform/ProgramMessages.h"
#include "tests/desktop/UnattendedRun.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <csignal>

namespace {

using namespace desktoptest;

// "orvanel" (or a program that starts it) in the test's program folder, not waited for.
class Started {
public:
    Started(const QString& home, const QStringList& args, const QString& program = ORVANEL_PROGRAM,
            const QString& display = QString()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!display.isEmpty()) env.insert("DISPLAY", display);
        env.insert("ORVANEL_HOME", home);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("ORVANEL_UPDATE_URL", "http://127.0.0.1:9");  // an update check fails at once
        process.setProcessEnvironment(env);
        process.start(program, args);
        process.waitForStarted(10000);
    }
    ~Started() {
        if (process.state() != QProcess::NotRunning) process.kill();
        process.waitForFinished(5000);
    }
    // The program's window of that title, once shown.
    platform::HWND window(platform::Platform& desk, const QString& title, int ms = 20000) {
        platform::HWND w = 0;
        waitFor([&] { return (w = desk.FindWindow(platform::kOrvanelClass, title)) != 0; }, ms);
        return w;
    }
    bool running(int forMs) { return !process.waitForFinished(forMs); }
    // The exit status once ended within ms, else -1.
    int status(int ms = 20000) {
        const bool ended = process.waitForFinished(ms);
        errors += QString::fromLocal8Bit(process.readAllStandardError());
        return ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    // Still waiting, then ended by the signal within 5 s, with status 1.
    void expectEndOn(int number) {
        ASSERT_TRUE(running(500)) << "the program waits";
        QElapsedTimer took;
        took.start();
        ::kill(pid_t(process.processId()), number);
        EXPECT_EQ(status(5000), 1) << errors.toStdString();
        EXPECT_LT(took.elapsed(), 5000);
    }

    QProcess process;
    QString errors;
};

// A key into a window of the program, given the focus first.
void keyInto(platform::Platform& desk, platform::HWND w, const QString& key) {
    desk.SetForegroundWindow(w);
    waitFor([&] { return desk.GetForegroundWindow() == w; }, 3000);
    run("xdotool", {"key", key});
}

class Waits : public Unattended {
protected:
    void SetUp() override {
        Unattended::SetUp();
        if (!IsSkipped()) newHome(false);
    }
    // A macro protected by a password, written record by record.
    QString writeProtected(const QString& name, const QVector<TMacroFileRecord>& rows) {
        QByteArray bytes = TMacroFileRecord{"Info", "secret"}.toBytes(true) + TMacroFileRecord{"Infos", "False"}.toBytes(true);
        for (const TMacroFileRecord& r : rows) bytes += r.toBytes(true);
        const QString path = home->filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QStringList reportRows() const { return reportLines(home->filePath("rapport000001.doc")).mid(1); }
};

// Each wait, ended by SIGTERM and by SIGINT: status 1 within 5 s.
TEST_F(Waits, TerminationSignalsEndEveryWait) {
    struct Case {
        const char* name;
        QStringList args;  // "%M" stands for the macro written
        QString window;    // the title of the wait
        QString key;       // pressed into the main window first, when not empty
    };
    const QString plain = writeMacro({"Variable\tA;1;Numerique;", "Commentaire\tsuite"}, "simple.mcr");
    const QString loop = writeMacro({"Goto\t1"}, "boucle.mcr");
    const QString locked = writeProtected("protegee.mcr", {{"Variable", "A;1;Numerique;"}});
    const QString caller = writeMacro({"Variable\tA;1;Numerique;", "Execute\t" + locked + ";;"}, "appel.mcr");
    const Case cases[] = {
        {"mot de passe d'une macro en ligne de commande", {locked}, "Decryptage d'une macro", {}},
        {"mot de passe d'une sous-macro", {caller}, "Decryptage d'une macro", {}},
        {"assistant de /fromExport", {plain, "/fromExport"}, "Ajout de fichiers supplèmentaires", {}},
        {"erreur interne dans l'éditeur", {loop, "/edt"}, "Erreur interne", "F9"},
    };
    for (const Case& c : cases) {
        for (int number : {SIGTERM, SIGINT}) {
            SCOPED_TRACE(QStringLiteral("%1, signal %2").arg(c.name).arg(number).toStdString());
            Started program(home->path(), c.args);
            platform::HWND wait = 0;
            if (c.key.isEmpty()) {
                wait = program.window(desk(), c.window);
            } else {
                const platform::HWND main = program.window(desk(), "boucle.mcr - Orvanel");
                ASSERT_NE(main, 0u);
                // A key pressed while the new window takes the focus may be lost: pressed again.
                for (int attempt = 0; attempt < 4 && !wait; ++attempt) {
                    keyInto(desk(), main, c.key);
                    wait = program.window(desk(), c.window, 5000);
                }
            }
            ASSERT_NE(wait, 0u) << "the wait shows";
            program.expectEndOn(number);
        }
    }
}

// A box at start-up (the settings cannot be written on a full disk) does
// not keep the editor from ending on SIGTERM.
TEST_F(Waits, TheEditorOnAFullDiskEndsOnSigterm) {
    if (!desktoptest::run("unshare", {"-rm", "true"})) GTEST_SKIP() << "no private mount here";
    QFile config(home->filePath("config.ini"));
    ASSERT_TRUE(config.open(QIODevice::Append));
    config.write(QStringLiteral("[MAJ]\nRun=True\nFrequence=A chaque démarrage de l'éditeur\n").toUtf8());
    config.close();
    // In a private mount namespace, the program folder on a full 64 KiB disk.
    QTemporaryDir scripts;
    const QString script = scripts.filePath("plein.sh");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("c=$(cat \"$ORVANEL_HOME/config.ini\")\n"
               "mount -t tmpfs -o size=64k plein \"$ORVANEL_HOME\" || exit 9\n"
               "printf '%s\\n' \"$c\" >\"$ORVANEL_HOME/config.ini\"\n"
               "dd if=/dev/zero of=\"$ORVANEL_HOME/a\" bs=4k 2>/dev/null\n"
               "dd if=/dev/zero of=\"$ORVANEL_HOME/b\" bs=1 2>/dev/null\n"
               "exec \"$@\"\n");
    file.close();
    Started program(home->path(), {"-rm", "sh", script, ORVANEL_PROGRAM}, "unshare");
    ASSERT_NE(program.window(desk(), "Nouvelle macro"), 0u) << "the editor says the settings cannot be written";
    program.expectEndOn(SIGTERM);
}

// A "Message" of a run from the command line shows and waits, its line kept
// on the standard error; OK lets the run go on, Esc and the stop key end it.
TEST_F(Waits, ACommandLineMessageShowsAndWaits) {
    struct Case {
        const char* name;
        QString key;      // into the box; empty: the stop key
        int status;
        bool runGoesOn;
    };
    const Case cases[] = {
        {"OK", "Return", 0, true},
        {"Échap", "Escape", 1, false},
        {"raccourci d'arrêt", {}, 1, false},
    };
    const QString macro = writeMacro({"Variable\tA;1;Numerique;", "Message\tTitre;Bonjour le monde;",
                                      "Variable\tB;2;Numerique;"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(home->filePath("rapport000001.doc"));
        Started program(home->path(), {macro});
        const platform::HWND box = program.window(desk(), "Titre");
        ASSERT_NE(box, 0u) << "the message shows";
        ASSERT_TRUE(program.running(1000)) << "and waits";
        if (c.key.isEmpty()) desktoptest::run("xdotool", {"key", "alt+F2"});
        else keyInto(desk(), box, c.key);
        EXPECT_EQ(program.status(5000), c.status) << program.errors.toStdString();
        EXPECT_TRUE(program.errors.contains("Orvanel : Bonjour le monde\n")) << program.errors.toStdString();
        EXPECT_EQ(reportRows().filter(QRegularExpression("^Variable B")).size(), c.runGoesOn ? 1 : 0)
            << reportRows().join('\n').toStdString();
    }
}

// The pause key holds a run from the command line under its question until
// it is answered.
TEST_F(Waits, ThePauseKeyHoldsACommandLineRun) {
    desk().SetCursorPos(0, 0);
    const QString macro = writeMacro({"Move Mouse\t321;123;Direct;", "Pause\t00:00:02", "Variable\tB;2;Numerique;"});
    Started program(home->path(), {macro});
    // The pointer's move says the run, and so its keys, are there.
    ASSERT_TRUE(waitFor([&] { return desk().GetCursorPos() == platform::POINT{321, 123}; }, 10000));
    desktoptest::run("xdotool", {"key", "alt+F1"});
    platform::HWND box = 0;
    ASSERT_TRUE(waitFor([&] {
        for (platform::HWND w : desk().EnumWindows())
            if (desk().GetWindowThreadProcessId(w) == program.process.processId() && desk().IsWindowVisible(w)) box = w;
        return box != 0;
    })) << "the pause question shows";
    ASSERT_TRUE(program.running(3000)) << "the next row waits for the answer, past the pause";
    keyInto(desk(), box, "Return");
    EXPECT_EQ(program.status(5000), 0) << program.errors.toStdString();
    EXPECT_EQ(reportRows().filter(QRegularExpression("^Variable B")).size(), 1) << reportRows().join('\n').toStdString();
}

// "kill -SEGV" on the editor: the internal-error window shows the report
// and counts down, in a program of its own.
TEST_F(Waits, AFatalSignalShowsTheInternalErrorWindow) {
    Started editor(home->path(), {});
    ASSERT_NE(editor.window(desk(), "Nouvelle macro - Orvanel"), 0u);
    ::kill(pid_t(editor.process.processId()), SIGSEGV);
    EXPECT_EQ(editor.status(5000), -1) << "ended by the signal";
    platform::HWND report = 0;
    ASSERT_TRUE(waitFor([&] {
        for (platform::HWND w : desk().EnumWindows())
            if (desk().GetWindowText(w).startsWith("Orvanel va se terminer dans ")) report = w;
        return report != 0;
    }, 10000)) << "no internal-error window";
    EXPECT_TRUE(QFile::exists(home->filePath("crash.log")));
    const qint64 viewer = desk().GetWindowThreadProcessId(report);
    ASSERT_GT(viewer, 0);
    ::kill(pid_t(viewer), SIGTERM);
}

// An X server of the test's own, for a program to lose.
class OwnServer {
public:
    OwnServer() {
        server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        waitFor([&] { return server.canReadLine() || server.state() == QProcess::NotRunning; }, 10000);
        display = u':' + QString::fromLatin1(server.readLine()).trimmed();
    }
    ~OwnServer() {
        server.kill();
        server.waitForFinished(5000);
    }
    QProcess server;
    QString display;
};

// The X server killed under a looping run or under the editor: the run
// stops as Stop does with its report written, the status is 1, and no
// signal ends the program.
TEST_F(Waits, TheXServerLostEndsTheProgramWithItsReport) {
    const QString loop = writeMacro({"Variable\tN;0;Numerique;", "Label\tboucle", "Calcul\tN;+;1;",
                                     "Move Mouse\t100;100;Direct;", "Move Mouse\t200;200;Direct;", "Goto\tboucle"});
    for (const QStringList& args : {QStringList{loop}, QStringList{}}) {
        SCOPED_TRACE(args.isEmpty() ? "l'éditeur" : "une boucle");
        QFile::remove(home->filePath("rapport000001.doc"));
        OwnServer x;
        ASSERT_NE(x.display, ":") << "no X server of our own";
        Started program(home->path(), args, ORVANEL_PROGRAM, x.display);
        ASSERT_TRUE(program.running(2500)) << program.errors.toStdString();
        x.server.kill();
        EXPECT_EQ(program.status(10000), 1) << "ended by itself, not by a signal";
        EXPECT_TRUE(program.errors.contains("Orvanel : le serveur X a disparu")) << program.errors.toStdString();
        if (!args.isEmpty())
            EXPECT_GE(reportRows().filter(QRegularExpression("^Calcul N;\\+;1;")).size(), 2)
                << reportRows().join('\n').toStdString();
    }
}

}  // namespace
