// "Execute" and "Fonction" against the real X server and the real system:
// programs started without a shell and their windows, documents through
// xdg-open, sounds through the player, a sub-macro typing into a real
// client, and Fonction results checked with independent commands.
#include "core/MacroFileRecord.h"
#include "core/Settings.h"
#include "tests/desktop/DesktopRun.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QUrl>

#include <csignal>

namespace {

using namespace desktoptest;
using Rows = QVector<QPair<QString, QString>>;

class ExecuteDesktop : public DesktopRun {
protected:
    void SetUp() override {
        DesktopRun::SetUp();
        if (IsSkipped()) return;
        settings().CheckBeforeRun = false;
    }
    void TearDown() override {
        for (qint64 pid : started) ::kill(pid_t(pid), SIGTERM);
        for (auto it = savedEnvironment.cbegin(); it != savedEnvironment.cend(); ++it) {
            if (it.value().isNull())
                qunsetenv(it.key().constData());
            else
                qputenv(it.key().constData(), it.value());
        }
        DesktopRun::TearDown();
    }
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
    QString file(const QString& name, const QByteArray& contents, bool executable = false) {
        QFile f(QDir(home.path()).filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contents);
        if (executable) f.setPermissions(f.permissions() | QFile::ExeOwner);
        return f.fileName();
    }
    // A program put first in PATH under that name, that writes its arguments
    // into "<name>.args" and then waits `seconds`. Its folder has no blank:
    // desktop files name programs by a path without quotes.
    QString recorder(const QString& name, const QString& seconds = "0") {
        const QString args = tools.filePath(name + ".args");
        file(tools.filePath(name),
             QString("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.tmp'; mv '%1.tmp' '%1'; sleep %2\n")
                 .arg(args, seconds)
                 .toUtf8(),
             true);
        environment("PATH", tools.path() + ":" + qEnvironmentVariable("PATH"));
        return args;
    }
    // Sets (or with a null value removes) a variable of the environment for the test.
    void environment(const char* name, const QString& value) {
        if (!savedEnvironment.contains(name)) savedEnvironment.insert(name, qgetenv(name));
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value.toLocal8Bit());
    }
    QString waitForText(const QString& name) {
        QFile f(name);
        waitFor([&] { return f.exists(); }, 20000);  // xdg-open is slow on a busy machine
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    // The window of class and title once it is up; its process is ended with the test.
    platform::HWND windowOf(const QString& className, const QString& title) {
        platform::HWND w = 0;
        waitFor([&] { return (w = desk().FindWindow(className, title)) != 0; }, 10000);
        if (w) started << desk().GetWindowThreadProcessId(w);
        return w;
    }

    QTemporaryDir tools{QDir::tempPath() + "/orvanel-outils-XXXXXX"};
    QMap<QByteArray, QByteArray> savedEnvironment;  // null: was not set
    QVector<qint64> started;
};

TEST_F(ExecuteDesktop, AProgramStartsWithItsArgumentsAndItsWindowAppears) {
    run({{"Execute", QString(PROBE_CLIENT) + ";--title \"Lancée par Execute\";"}});
    EXPECT_FALSE(RunState().RunEndedInError);
    EXPECT_NE(windowOf("OrvanelProbe", "Lancée par Execute"), 0u);
    // The program's own arguments after its path, in the target itself.
    run({{"Execute", QString(PROBE_CLIENT) + " --title Cible;"}});
    EXPECT_NE(windowOf("OrvanelProbe", "Cible"), 0u);
}

TEST_F(ExecuteDesktop, AMissingProgramIsAnErrorAndNoShellRuns) {
    const QString x = home.filePath("x"), y = home.filePath("y");
    for (const QString& target : {QString("/nulle/part/programme"), "touch " + x + "; touch " + y,
                                  "touch " + x + " && touch " + y, "$(touch " + x + ")"}) {
        run({{"Execute", target + ";"}, {"Variable", "APRES;1;Numerique;"}});
        EXPECT_TRUE(RunState().RunEndedInError) << target.toStdString();
        EXPECT_EQ(var("APRES"), "?");
        EXPECT_TRUE(var("[ERROR]").startsWith("Le fichier spécifié est introuvable.")) << var("[ERROR]").toStdString();
    }
    QThread::msleep(200);
    EXPECT_FALSE(QFile::exists(x));
    EXPECT_FALSE(QFile::exists(y));
}

TEST_F(ExecuteDesktop, DocumentsAndAddressesGoThroughTheDesktopHandler) {
    // The handler of text files and web addresses is a recorder of ours.
    const QString args = recorder("gestionnaire");
    QDir(tools.path()).mkpath("donnees/applications");
    QDir(tools.path()).mkpath("config");
    file(tools.filePath("donnees/applications/gestionnaire.desktop"),
         QString("[Desktop Entry]\nType=Application\nName=Gestionnaire\nExec=%1 %u\n"
                 "MimeType=text/plain;x-scheme-handler/https;\n")
             .arg(tools.filePath("gestionnaire"))
             .toUtf8());
    file(tools.filePath("config/mimeapps.list"),
         "[Default Applications]\ntext/plain=gestionnaire.desktop\n"
         "x-scheme-handler/https=gestionnaire.desktop\n");
    environment("XDG_DATA_HOME", tools.filePath("donnees"));
    environment("XDG_CONFIG_HOME", tools.filePath("config"));
    for (const char* desktopSession : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION"})
        environment(desktopSession, QString());
    const QString doc = file("lettre.txt", "x");
    for (const QString& target : {QString("https://exemple.org/page"), doc}) {
        QFile::remove(args);
        run({{"Execute", target + ";"}});
        EXPECT_FALSE(RunState().RunEndedInError) << target.toStdString();
        const QUrl received(waitForText(args).trimmed());  // a document may come as a file URL
        EXPECT_EQ(received.isLocalFile() ? received.toLocalFile() : received.toString(), target);
    }
    // A document that is gone: the handler's opener says so.
    run({{"Execute", home.filePath("disparu.txt") + ";"}});
    EXPECT_TRUE(RunState().RunEndedInError);
}

TEST_F(ExecuteDesktop, SoundsPlayWithThePlayerAndWaitWhenAsked) {
    const QString args = recorder("aplay", "1");
    const QString sound = file("son.wav", "RIFF");
    for (bool wait : {true, false}) {
        QFile::remove(args);
        settings().WaitSnd = wait;
        QElapsedTimer elapsed;
        elapsed.start();
        run({{"Execute", sound + ";"}});
        EXPECT_EQ(elapsed.elapsed() >= 1000, wait) << elapsed.elapsed();
        EXPECT_EQ(waitForText(args), "-q\n--\n" + sound + "\n");
        EXPECT_FALSE(RunState().RunEndedInError);
    }
}

TEST_F(ExecuteDesktop, ASubMacroTypesIntoARealClient) {
    Probe probe({"--title", "Sonde sous-macro"});
    ASSERT_NE(showProbe(desk(), probe, "Sonde sous-macro"), 0u);
    QFile sub(home.filePath("tape.mcr"));
    ASSERT_TRUE(sub.open(QIODevice::WriteOnly));
    sub.write(TMacroFileRecord{"Type", "bonjour"}.toBytes());
    sub.write(TMacroFileRecord{"Quitter", ""}.toBytes());
    sub.write(TMacroFileRecord{"Type", "jamais"}.toBytes());
    sub.close();
    run({{"Execute", sub.fileName() + ";"}, {"Type", " encore"}});
    EXPECT_TRUE(probe.waitForLine("text bonjour encore")) << probe.lines().join('\n').toStdString();
    EXPECT_FALSE(RunState().RunEndedInError);
}

TEST_F(ExecuteDesktop, FonctionResultsMatchIndependentCommands) {
    QProcess xlogo;
    xlogo.start("xlogo", {"-geometry", "210x160+140+90", "-title", "Logo Fonction"});
    ASSERT_TRUE(xlogo.waitForStarted());
    platform::HWND w = 0;
    ASSERT_TRUE(waitFor([&] { return (w = desk().FindWindow("XLogo", "Logo Fonction")) != 0; }, 10000));
    QByteArray extents, client;
    ASSERT_TRUE(waitFor([&] {  // framed by the window manager
        return desktoptest::run("xprop", {"-id", QString::number(w), "_NET_FRAME_EXTENTS"}, &extents) &&
               extents.contains("=");
    }));
    ASSERT_TRUE(desktoptest::run("xwininfo", {"-id", QString::number(w)}, &client));
    auto field = [](const QByteArray& text, const char* label) {
        const qsizetype at = text.indexOf(label);
        return at < 0 ? -1 : QString::fromUtf8(text.mid(at + qstrlen(label)).split('\n').first()).trimmed().toInt();
    };
    // left, right, top, bottom
    const QStringList frame = QString::fromUtf8(extents.mid(extents.indexOf('=') + 1)).simplified().split(", ");
    ASSERT_EQ(frame.size(), 4) << extents.toStdString();
    const QString data = file("donnees.bin", QByteArray(12345, 'z'));
    QByteArray date, size;
    ASSERT_TRUE(desktoptest::run("date", {"-d", "yesterday", "+%d/%m/%Y"}, &date));
    ASSERT_TRUE(desktoptest::run("stat", {"-c", "%s", data}, &size));
    // Other programs write meanwhile: the free size is checked between two readings of df.
    auto df = [&] {
        QByteArray out;
        EXPECT_TRUE(desktoptest::run("df", {"-B1", "--output=avail,size", home.path()}, &out));
        return QString::fromUtf8(out).split('\n').value(1).simplified().split(' ');
    };
    const QStringList before = df();
    const QString handle = QString::number(w);
    run({{"Variable", "HIER;;Alpha;"},
         {"Variable", "X;0;Numerique;"},
         {"Variable", "Y;0;Numerique;"},
         {"Variable", "L;0;Numerique;"},
         {"Variable", "H;0;Numerique;"},
         {"Variable", "ETAT;;Alpha;"},
         {"Variable", "TAILLE;0;Numerique;"},
         {"Variable", "LIBRE;0;Numerique;"},
         {"Variable", "TOTAL;0;Numerique;"},
         {"Fonction", "HIER;Date;JJ/MM/AAAA;-1;"},
         {"Fonction", "X;Handle;Position X;" + handle + ";"},
         {"Fonction", "Y;Handle;Position Y;" + handle + ";"},
         {"Fonction", "L;Handle;Longueur;" + handle + ";"},
         {"Fonction", "H;Handle;Largeur;" + handle + ";"},
         {"Fonction", "ETAT;Handle;Etat;" + handle + ";"},
         {"Fonction", "TAILLE;Fichier;Taille octets;" + data + ";"},
         {"Fonction", "LIBRE;Disque;Taille Disponible;" + home.path() + ";"},
         {"Fonction", "TOTAL;Disque;Taille Totale;" + home.path() + ";"}});
    EXPECT_FALSE(RunState().RunEndedInError);
    EXPECT_EQ(var("HIER"), QString::fromUtf8(date).trimmed());
    // The window with its frame: the client area as xwininfo gives it, and the frame around it.
    EXPECT_EQ(var("X").toInt(), field(client, "Absolute upper-left X:") - frame[0].toInt());
    EXPECT_EQ(var("Y").toInt(), field(client, "Absolute upper-left Y:") - frame[2].toInt());
    EXPECT_EQ(var("L").toInt(), field(client, "Width:") + frame[0].toInt() + frame[1].toInt());
    EXPECT_EQ(var("H").toInt(), field(client, "Height:") + frame[2].toInt() + frame[3].toInt());
    EXPECT_EQ(var("ETAT"), "Normal");
    EXPECT_EQ(var("TAILLE"), QString::fromUtf8(size).trimmed());
    const QStringList after = df();
    const double free = var("LIBRE").toDouble() * 1e6;
    EXPECT_GE(free + 1e6, qMin(before.value(0).toDouble(), after.value(0).toDouble()));
    EXPECT_LE(free - 1e6, qMax(before.value(0).toDouble(), after.value(0).toDouble()));
    EXPECT_EQ(var("TOTAL"), QString::number(before.value(1).toDouble() / 1e6, 'f', 2));

    // Withdrawn, then shown again and minimised.
    auto state = [&] {
        run({{"Variable", "ETAT;;Alpha;"}, {"Fonction", "ETAT;Handle;Etat;" + handle + ";"}});
        return var("ETAT");
    };
    ASSERT_TRUE(desktoptest::run("xdotool", {"windowunmap", "--sync", handle}));
    EXPECT_EQ(state(), "Indéterminé");
    ASSERT_TRUE(desktoptest::run("xdotool", {"windowmap", "--sync", handle}));
    ASSERT_TRUE(desktoptest::run("xdotool", {"windowminimize", "--sync", handle}));
    EXPECT_EQ(state(), "Réduit");
    xlogo.kill();
    xlogo.waitForFinished();
}

}  // namespace
