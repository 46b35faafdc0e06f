// The program itself, "orvanel file.mcr", run unattended on the private X
// server: macro files written by write_macro.py (not by our own writer), a
// fresh program folder with the report on, then the exit status, the
// numbered report file, the pointer and what a real X client received.
#include "platform/VirtualKeys.h"
#include "tests/desktop/UnattendedRun.h"

#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

namespace {

using namespace desktoptest;

struct ReportCase {
    const char* name;
    QStringList rows;
    QStringList report;  // "%HOME%" stands for the program folder
    int status = 0;
    QString error;       // a part of standard error; none expected when empty
    bool checkFirst = true;
};

TEST_F(Unattended, ReportOfFlowCalculationAndErrors) {
    const ReportCase cases[] = {
        {"boucle de Calcul et Goto vers des labels",
         {"Variable\tN;0;Numerique;", "Variable\tS;0;Numerique;", "Variable\tT;;Alpha;", "Label\tboucle",
          "Calcul\tN;+;1;", "Calcul\tS;+;N;", "Calcul\tT;+;N;", "Examine\tN;<;3;", "Goto\tboucle", "Goto\tfin",
          "Calcul\tS;*;100;", "Label\tfin", "Calcul\tS;/;-4;", "Calcul\tS;-;N;", "Examine\tS;=;-4;",
          "Commentaire\tjuste", "Commentaire\tfaux",
          // Records that are no rows: the watch list and the priority.
          "Évaluer\tS", "[Process Priority]\t3"},
         {"Variable N;0;Numerique;  N=0", "Variable S;0;Numerique;  S=0", "Variable T;;Alpha;  T=''", "Label boucle ",
          "Calcul N;+;1;  N=0", "Calcul S;+;N;  S=0 N=1", "Calcul T;+;N;  T='' N=1", "Examine N;<;3;  N=1",
          "Goto boucle ", "",
          "Calcul N;+;1;  N=1", "Calcul S;+;N;  S=1 N=2", "Calcul T;+;N;  T='1' N=2", "Examine N;<;3;  N=2",
          "Goto boucle ", "",
          "Calcul N;+;1;  N=2", "Calcul S;+;N;  S=3 N=3", "Calcul T;+;N;  T='12' N=3", "Examine N;<;3;  N=3",
          "Goto fin ", "",
          "Calcul S;/;-4;  S=6", "Calcul S;-;N;  S=-1 N=3", "Examine S;=;-4;  S=-4", "Commentaire juste "}},
        {"chaîne d'Examine",
         {"Variable\tA;1;Numerique;", "Variable\tR;;Alpha;", "Variable\tX;abc;Alpha;",
          "Examine\tA;=;1;",  // true: the next row runs, the chain after it is passed over
          "Calcul\tR;+;a;", "Examine\tA;=;2;", "Calcul\tR;+;b;", "Examine\tA;=;3;", "Calcul\tR;+;c;",
          "Calcul\tR;+;d;", "Calcul\tR;+;e;",
          "Examine\tA;>;5;",  // false: the row after next runs
          "Calcul\tR;+;f;", "Examine\tX;<;abd;", "Calcul\tR;+;g;", "Calcul\tR;+;h;", "Examine\tR;=;aeg;",
          "Commentaire\tjuste", "Commentaire\tfaux"},
         {"Variable A;1;Numerique;  A=0", "Variable R;;Alpha;  R=''", "Variable X;abc;Alpha;  X=''",
          "Examine A;=;1;  A=1", "Calcul R;+;a;  R=''", "Calcul R;+;e;  R='a'", "Examine A;>;5;  A=1",
          "Examine X;<;abd;  X='abc'", "Calcul R;+;g;  R='ae'", "Examine R;=;aeg;  R='aeg'", "Commentaire juste "}},
        {"procédures imbriquées",
         {"Variable\tR;;Alpha;", "Procedure\tCALL externe", "Calcul\tR;+;z;", "Goto\tfin", "Procedure\texterne",
          "Calcul\tR;+;x;", "Procedure\tCALL interne", "Calcul\tR;+;y;", "Procedure\tEND", "Procedure\tinterne",
          "Calcul\tR;+;i;", "Procedure\tEND", "Label\tfin", "Examine\tR;=;xiyz;", "Commentaire\tjuste",
          "Commentaire\tfaux"},
         {"Variable R;;Alpha;  R=''", "Procedure CALL externe ", "Calcul R;+;x;  R=''", "Procedure CALL interne ",
          "Calcul R;+;i;  R='x'", "Calcul R;+;y;  R='xi'", "Calcul R;+;z;  R='xiy'", "Goto fin ", "",
          "Examine R;=;xiyz;  R='xiyz'", "Commentaire juste "}},
        {"variables système",
         {"Variable\t[SCREEN.X];0;Numerique;", "Variable\t[SCREEN.Y];0;Numerique;", "Variable\t[DELAY];7;Numerique;",
          "Variable\t[PASSWORD];secret;Alpha;", "Variable\t[SYSDIR.CURRENTMACRO];;Alpha;",
          "Variable\t[CLIPBOARD];copié à 5€;Alpha;", "Variable\tC;;Alpha;", "Variable\tD;0;Numerique;",
          "Calcul\tC;+;[CLIPBOARD];", "Calcul\tC;+;[PASSWORD];", "Calcul\tD;+;[DELAY];", "Calcul\tD;+;[SCREEN.X];",
          "Examine\t[SCREEN.Y];=;1024;", "Calcul\tC;+;[SYSDIR.CURRENTMACRO];", "Commentaire\tfaux",
          "Examine\tD;=;1287;", "Commentaire\tjuste", "Commentaire\tfaux"},
         {"Variable [SCREEN.X];0;Numerique;  [SCREEN.X]=1280", "Variable [SCREEN.Y];0;Numerique;  [SCREEN.Y]=1024",
          "Variable [DELAY];7;Numerique;  [DELAY]=0", "Variable [PASSWORD];secret;Alpha;  [PASSWORD]=********",
          "Variable [SYSDIR.CURRENTMACRO];;Alpha;  [SYSDIR.CURRENTMACRO]='%HOME%'",
          "Variable [CLIPBOARD];copié à 5€;Alpha;  [CLIPBOARD]=''", "Variable C;;Alpha;  C=''",
          "Variable D;0;Numerique;  D=0", "Calcul C;+;[CLIPBOARD];  C='' [CLIPBOARD]='copié à 5€'",
          "Calcul C;+;[PASSWORD];  C='copié à 5€' [PASSWORD]=********", "Calcul D;+;[DELAY];  D=0 [DELAY]=7",
          "Calcul D;+;[SCREEN.X];  D=7 [SCREEN.X]=1280", "Examine [SCREEN.Y];=;1024;  [SCREEN.Y]=1024",
          "Calcul C;+;[SYSDIR.CURRENTMACRO];  C='copié à 5€secret' [SYSDIR.CURRENTMACRO]='%HOME%'",
          "Examine D;=;1287;  D=1287", "Commentaire juste "}},
        {"erreur avec [ERROR.ADAPTATOR] = 4 : rapportée, la macro continue",
         {"Variable\t[ERROR.ADAPTATOR];4;Numerique;", "Variable\t[ERROR];;Alpha;", "Variable\tA;10;Numerique;",
          "Variable\tZ;0;Numerique;", "Calcul\tA;/;Z;", "Calcul\tA;+;5;",
          "Examine\t[ERROR];=;Division par 0 impossible.;", "Commentaire\tjuste", "Commentaire\tfaux"},
         {"Variable [ERROR.ADAPTATOR];4;Numerique;  [ERROR.ADAPTATOR]=0", "Variable [ERROR];;Alpha;  [ERROR]=''",
          "Variable A;10;Numerique;  A=0", "Variable Z;0;Numerique;  Z=0", "Calcul A;/;Z;  A=10 Z=0",
          "Division par 0 impossible.", "Calcul A;+;5;  A=0",
          "Examine [ERROR];=;Division par 0 impossible.;  [ERROR]='Division par 0 impossible.'",
          "Commentaire juste "}},
        {"erreur sans réglage : arrêt, statut 1",
         {"Variable\tA;10;Numerique;", "Variable\tZ;0;Numerique;", "Calcul\tA;/;Z;", "Calcul\tA;+;1;"},
         {"Variable A;10;Numerique;  A=0", "Variable Z;0;Numerique;  Z=0", "Calcul A;/;Z;  A=10 Z=0",
          "Division par 0 impossible."},
         1,
         "Orvanel : Division par 0 impossible. Arrêt de la macro. [Position 3]"},
        {"Goto numérique hors de la macro : arrêt, statut 1",
         {"Variable\tA;0;Numerique;", "Calcul\tA;+;1;", "Examine\tA;<;3;", "Goto\t2", "Goto\t9", "Calcul\tA;+;100;"},
         {"Variable A;0;Numerique;  A=0", "Calcul A;+;1;  A=0", "Examine A;<;3;  A=1", "Goto 2 ", "",
          "Calcul A;+;1;  A=1", "Examine A;<;3;  A=2", "Goto 2 ", "", "Calcul A;+;1;  A=2", "Examine A;<;3;  A=3",
          "Goto 9 ", "", "Goto : la ligne 9 n'existe pas (1 à 6)."},
         1,
         "Goto : la ligne 9 n'existe pas (1 à 6). Arrêt de la macro inévitable. [Position 5]",
         false},
        {"Goto vers sa propre ligne : erreur interne, statut 1",
         {"Variable\tA;0;Numerique;", "Goto\t2", "Calcul\tA;+;1;"},
         {"Variable A;0;Numerique;  A=0", "Goto 2 ", ""},
         1,
         "Message :Arrêt de l'application - Vous avez généré une boucle illimité.",
         false},
        {"contrôle avant l'exécution : rien ne s'exécute, statut 1",
         {"Variable\tA;0;Numerique;", "Goto\t9"},
         {},
         1,
         "Orvanel : Cette macro comportent des erreurs, veuillez consulter le contrôle des commandes.\n"
         "  ligne 2 : La commande n° 9 n'existe pas."},
        {"Calcul évolué",
         {"Variable\tA;0;Numerique;", "Variable\tB;0;Numerique;", "Calcul évolué\tA = 2 + 3 * 4",
          "Calcul évolué\tB = 5 - - 2", "Calcul évolué\tA + B", "Examine\tA;=;21;", "Commentaire\tjuste",
          "Commentaire\tfaux"},
         {"Variable A;0;Numerique;  A=0", "Variable B;0;Numerique;  B=0", "Calcul évolué A = 2 + 3 * 4  A=0",
          "Calcul évolué B = 5 - - 2  B=0", "Calcul évolué A + B  A=14 B=7", "Examine A;=;21;  A=21",
          "Commentaire juste "}},
        {"entrées invalides avec [ERROR.ADAPTATOR] = 4",
         {"Variable\t[ERROR.ADAPTATOR];4;Numerique;", "Variable\tV;abc;Alpha;", "Variable\tG;2147483647;Numerique;",
          "Variable\tM;-2147483648;Numerique;", "Move Mouse\tV;10;Direct;", "Click\tWhell Down;x;",
          "Calcul\tG;+;1;", "Calcul\tM;/;-1;", "Calcul\tG;-;1;", "Commentaire\tfin"},
         {"Variable [ERROR.ADAPTATOR];4;Numerique;  [ERROR.ADAPTATOR]=0", "Variable V;abc;Alpha;  V=''",
          "Variable G;2147483647;Numerique;  G=0", "Variable M;-2147483648;Numerique;  M=0",
          "Move Mouse V;10;Direct;  V='abc'", "La valeur de X n'est pas un numérique.[V]", "Click Whell Down;x; ",
          "Le nombre de crans de la molette n'est pas un entier.[x]", "Calcul G;+;1;  G=2147483647",
          "Dépassement de capacité : le résultat de G + 1 ne tient pas dans un entier.",
          "Calcul M;/;-1;  M=-2147483648",
          "Dépassement de capacité : le résultat de M / -1 ne tient pas dans un entier.",
          "Calcul G;-;1;  G=2147483647", "Commentaire fin "},
         0,
         {},
         false},
        {"Quitter",
         {"Variable\tA;0;Numerique;", "Calcul\tA;+;1;", "Quitter\t", "Calcul\tA;+;1;"},
         {"Variable A;0;Numerique;  A=0", "Calcul A;+;1;  A=0", "Quitter  "}},
        // Nobody is there to answer: a retry is not asked for again, the run goes on.
        {"erreur avec [ERROR.ADAPTATOR] = 2 : pas de nouvel essai, la macro continue",
         {"Variable\t[ERROR.ADAPTATOR];2;Numerique;", "Variable\tA;10;Numerique;", "Variable\tZ;0;Numerique;",
          "Calcul\tA;/;Z;", "Commentaire\tsuite"},
         {"Variable [ERROR.ADAPTATOR];2;Numerique;  [ERROR.ADAPTATOR]=0", "Variable A;10;Numerique;  A=0",
          "Variable Z;0;Numerique;  Z=0", "Calcul A;/;Z;  A=10 Z=0", "Division par 0 impossible.", "Commentaire suite "},
         0,
         "Orvanel : Division par 0 impossible. Confirmez la tentative de reprise. [Position 4] [réponse : Non]"},
        {"erreur avec [ERROR.ADAPTATOR] = 3 : la macro continue",
         {"Variable\t[ERROR.ADAPTATOR];3;Numerique;", "Variable\tA;10;Numerique;", "Variable\tZ;0;Numerique;",
          "Calcul\tA;/;Z;", "Commentaire\tsuite"},
         {"Variable [ERROR.ADAPTATOR];3;Numerique;  [ERROR.ADAPTATOR]=0", "Variable A;10;Numerique;  A=0",
          "Variable Z;0;Numerique;  Z=0", "Calcul A;/;Z;  A=10 Z=0", "Division par 0 impossible.", "Commentaire suite "},
         0,
         "Orvanel : Division par 0 impossible. Confirmez la poursuite de l'exécution. [Position 4] [réponse : Oui]"},
        {"langage de script inconnu : arrêt, statut 1",
         {"Variable\tA;0;Numerique;", "ScriptEval\tA;", "Calcul\tA;+;1;"},
         {"Variable A;0;Numerique;  A=0", "ScriptEval A;  A=0", "Aucun moteur de script pour le langage « A ». code [0]"},
         1,
         "Aucun moteur de script pour le langage « A ».",
         false},
        {"Goto vers un label absent : arrêt, statut 1",
         {"Commentaire\ta", "Goto\tnulle part", "Commentaire\tb"},
         {"Commentaire a ", "Goto nulle part ", "", "Goto : le label « nulle part » n'existe pas."},
         1,
         "Goto : le label « nulle part » n'existe pas. Arrêt de la macro inévitable. [Position 2]",
         false},
    };
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome out = run(c.rows, c.checkFirst);
        ASSERT_TRUE(out.ended) << "the run did not end";
        EXPECT_EQ(out.status, c.status) << out.errors.toStdString();
        QStringList expected = c.report;
        expected.replaceInStrings("%HOME%", home->path());
        EXPECT_EQ(out.report, expected);
        if (c.error.isEmpty())
            EXPECT_TRUE(out.errors.trimmed().isEmpty()) << out.errors.toStdString();
        else
            EXPECT_TRUE(out.errors.contains(c.error)) << out.errors.toStdString();
    }
}

// A file whose last record is cut short runs with its whole records; the
// warning goes to standard error, nothing waits for a person.
TEST_F(Unattended, APartialLastRecordIsLeftOutAndSaid) {
    newHome();
    const QString macro = writeMacro({"Variable\tA;1;Numerique;", "Calcul\tA;+;1;"});
    QFile file(macro);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("x");
    file.close();
    ASSERT_EQ(QFileInfo(macro).size(), 555);
    const Outcome out = runMacro(macro);
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 0) << out.errors.toStdString();
    EXPECT_EQ(out.report, QStringList({"Variable A;1;Numerique;  A=0", "Calcul A;+;1;  A=1"}));
    EXPECT_TRUE(out.errors.contains("Le fichier essai.mcr se termine par 1 octet(s) qui ne forment pas une commande "
                                    "entière : ils ont été ignorés."))
        << out.errors.toStdString();
}

// SIGTERM ends a looping run the way Stop does: the report is written, the status is 1.
TEST_F(Unattended, TerminationSignalEndsTheRunWithItsReport) {
    newHome(false);
    const QString macro = writeMacro({"Variable\tN;0;Numerique;", "Label\tboucle", "Calcul\tN;+;1;",
                                      "Pause\t50;MilliSec;", "Goto\tboucle"});
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORVANEL_HOME", home->path());
    env.insert("QT_QPA_PLATFORM", "xcb");
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(ORVANEL_PROGRAM, {macro});
    ASSERT_TRUE(program.waitForStarted(10000));
    QThread::msleep(1500);
    ASSERT_EQ(program.state(), QProcess::Running) << "the loop runs until it is told to stop";
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    const QStringList report = reportLines(home->filePath("rapport000001.doc"));
    EXPECT_GE(report.filter(QRegularExpression("^Calcul N;\\+;1;")).size(), 3) << report.join('\n').toStdString();
    EXPECT_TRUE(QString::fromLocal8Bit(program.readAllStandardError()).contains("arrêt demandé par un signal"));
}

// The progress window of "[PROGRESS]" never takes the focus: the text a
// macro types next reaches the window that had it.
TEST_F(Unattended, ProgressDoesNotTakeTheFocus) {
    const auto probe = probeUnder("us", "Sonde progression");
    ASSERT_TRUE(probe);
    const Outcome out = run({"Variable\t[PROGRESS];0;Numerique;", "Variable\t[PROGRESS];50;Numerique;",
                             "Pause\t00:00:01", "Type\tsuite tapée"});
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 0) << out.errors.toStdString();
    EXPECT_TRUE(probe->waitForLine("text suite tapée")) << probe->lines().join('\n').toStdString();
}

// The clipboard a macro writes outlives the program where a clipboard
// manager runs: the program hands it over as it ends (ICCCM SAVE_TARGETS).
TEST_F(Unattended, TheClipboardOutlivesTheProgramWithAClipboardManager) {
    QProcess manager;
    manager.start("env", {"LC_ALL=C.UTF-8", "wish", CLIPBOARD_MANAGER});  // Tk serves its texts in UTF-8
    ASSERT_TRUE(waitFor([&] { return manager.canReadLine(); }, 10000));
    ASSERT_EQ(manager.readLine(), "ready\n");
    const Outcome out = run({"Variable\t[CLIPBOARD];Bonjour d'été;Alpha;"});
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 0) << out.errors.toStdString();
    EXPECT_TRUE(waitFor([&] { return manager.canReadLine(); }));
    EXPECT_EQ(QString::fromUtf8(manager.readLine()), "saved Bonjour d'été\n");
    QByteArray text;
    EXPECT_TRUE(desktoptest::run("xclip", {"-o", "-selection", "clipboard", "-t", "UTF8_STRING"}, &text));
    EXPECT_EQ(QString::fromUtf8(text), "Bonjour d'été");
    manager.kill();
    manager.waitForFinished(5000);
}

// Past 80000 characters the report goes on in the next numbered file; the
// base file then lists them all.
TEST_F(Unattended, LongReportsRollOverToNumberedFiles) {
    const Outcome out = run({"Variable\t[DELAY];0;Numerique;", "Variable\tN;0;Numerique;", "Label\tboucle",
                             "Calcul\tN;+;1;", "Examine\tN;<;3000;", "Goto\tboucle", "Commentaire\tfin"});
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 0) << out.errors.toStdString();
    QStringList listed, rows;
    for (int n = 1; QFile::exists(home->filePath(QStringLiteral("rapport%1.doc").arg(n, 6, 10, QChar(u'0')))); ++n) {
        const QString path = home->filePath(QStringLiteral("rapport%1.doc").arg(n, 6, 10, QChar(u'0')));
        const QStringList lines = reportLines(path);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.first(), "Fichier " + path);
        EXPECT_LE(QStringList(lines.mid(1)).join(u'\n').size(), 80000 + 100) << path.toStdString();
        listed << path;
        rows << lines.mid(1);
    }
    ASSERT_GE(listed.size(), 2);
    EXPECT_EQ(reportLines(home->filePath("rapport.doc")),
              QStringList{"Retrouvez l'ensemble des fichiers rapports dans les fichiers suivants :"} + listed);
    // Nothing lost or repeated at the turns.
    const QStringList calculs = rows.filter(QRegularExpression("^Calcul "));
    ASSERT_EQ(calculs.size(), 3000);
    for (int n = 0; n < 3000; ++n) ASSERT_EQ(calculs[n], QStringLiteral("Calcul N;+;1;  N=%1").arg(n));
    EXPECT_EQ(rows.mid(rows.size() - 2), QStringList({"Examine N;<;3000;  N=3000", "Commentaire fin "}));
}

// The pointer, and the system variables that follow it in the report.
TEST_F(Unattended, PointerEndsWhereTheRowsSay) {
    struct Case {
        const char* name;
        QStringList rows;
        platform::POINT end;
    };
    const Case cases[] = {
        {"direct", {"Move Mouse\t640;480;Direct;"}, {640, 480}},
        {"indirect, x d'abord", {"Move Mouse\t900;300;Indirect;"}, {900, 300}},
        {"indirect par variables, y d'abord",
         {"Variable\tX;301;Numerique;", "Variable\tY;900;Numerique;", "Move Mouse\tX;Y;Indirect;"},
         {301, 900}},
        {"parcours, le dernier point incomplet ignoré", {"Parcours souris\t100;100;120;130;1000;20;5"}, {1000, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desk().SetCursorPos(10, 10);
        desk().Flush();
        const QString at = QStringLiteral("[MOUSE.X]=%1 [MOUSE.Y]=%2").arg(c.end.x).arg(c.end.y);
        const Outcome out = run(QStringList{"Variable\t[MOUSE.X];0;Numerique;", "Variable\t[MOUSE.Y];0;Numerique;"} +
                                c.rows +
                                QStringList{"Examine\t[MOUSE.X];=;[MOUSE.Y];", "Commentaire\tégaux",
                                            "Commentaire\tdifférents"});
        ASSERT_TRUE(out.ended);
        EXPECT_EQ(out.status, 0) << out.errors.toStdString();
        EXPECT_EQ(desk().GetCursorPos(), c.end);
        EXPECT_TRUE(out.report.contains("Examine [MOUSE.X];=;[MOUSE.Y];  " + at)) << out.report.join('\n').toStdString();
        EXPECT_EQ(out.report.last(), "Commentaire différents ");
    }
}

TEST_F(Unattended, ClicksAndWheelStepsReachARealClient) {
    const auto probe = probeUnder("us", "Sonde clics");
    ASSERT_TRUE(probe);
    const QPoint at = areaPoint(*probe);
    const QString xy = QStringLiteral(" %1 %2").arg(at.x()).arg(at.y());
    const qsizetype before = probe->lines().size();
    const Outcome out = run({QStringLiteral("Move Mouse\t%1;%2;Indirect;").arg(at.x()).arg(at.y()),
                             "Click\tLeft click;Right click;Middle Down;Middle Up;", "Click\tWhell Down;2;Whell Up;1;",
                             "Click\tLeft double-click;"});
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 0) << out.errors.toStdString();
    const QStringList expected = {"press 1" + xy, "release 1" + xy, "press 3" + xy, "release 3" + xy,
                                  "press 2" + xy, "release 2" + xy, "wheel down",   "wheel down",
                                  "wheel up",     "press 1" + xy,   "release 1" + xy, "press 1" + xy,
                                  "release 1" + xy};
    EXPECT_EQ(probe->reports(before, {"press", "release", "wheel"}, expected.size()), expected);
}

TEST_F(Unattended, TypeArrivesExactlyUnderFrenchAndUsLayouts) {
    const QString text = "Été à 5€ @home";
    for (const QString layout : {"fr", "us"}) {
        SCOPED_TRACE(layout.toStdString());
        const auto probe = probeUnder(layout, "Sonde frappe " + layout);
        ASSERT_TRUE(probe);
        const Outcome out = run({"Type\t" + text});
        ASSERT_TRUE(out.ended);
        EXPECT_EQ(out.status, 0) << out.errors.toStdString();
        EXPECT_TRUE(probe->waitForLine("text " + text)) << probe->lines().join('\n').toStdString();
        EXPECT_EQ(probe->lines().filter(QRegularExpression("^text ")).last(), "text " + text);
        for (uint8_t vk : {platform::VK_SHIFT, platform::VK_CONTROL, platform::VK_MENU, platform::VK_RMENU})
            EXPECT_FALSE(desk().IsKeyDown(vk)) << "every key is released";
    }
}

// Key names written by a French user, whatever the server's layout.
TEST_F(Unattended, TypeSpecialPressesAndReleasesInOrder) {
    for (const QString layout : {"fr", "us"}) {
        SCOPED_TRACE(layout.toStdString());
        const auto probe = probeUnder(layout, "Sonde touches " + layout, {"--keys"});
        ASSERT_TRUE(probe);
        const qsizetype before = probe->lines().size();
        const Outcome out = run({"Type Special\tMaj;A;", "Type Special\tCtrl;Alt;Suppr;",
                                 "Type Special\tCtrl;Maj;[KeyDown];", "Type Special\tCtrl;Maj;[KeyUp];"});
        ASSERT_TRUE(out.ended);
        EXPECT_EQ(out.status, 0) << out.errors.toStdString();
        const QStringList expected = {
            "key press Shift", "key press A",    "key release A",   "key release Shift",  // Maj;A;
            "key press Control", "key press Alt", "key press Del", "key release Del",
            "key release Alt", "key release Control",                                      // Ctrl;Alt;Suppr;
            "key press Control", "key press Shift", "key release Shift", "key release Control",
        };
        EXPECT_EQ(probe->reports(before, {"key"}, expected.size()), expected);
        EXPECT_TRUE(probe->lines().contains("text A"));
        for (uint8_t vk : {platform::VK_SHIFT, platform::VK_CONTROL, platform::VK_MENU, platform::VK_DELETE})
            EXPECT_FALSE(desk().IsKeyDown(vk)) << int(vk);
    }
}

// A key name (French names, whatever the layout) is the key that types it in
// the active layout: the separator's key ";" types ";" under fr as under us,
// and with Shift what that key gives there.
TEST_F(Unattended, TypeSpecialPunctuationFollowsTheLayout) {
    const std::pair<const char*, QString> layouts[] = {{"fr", "."}, {"us", ":"}};
    for (const auto& [layout, shifted] : layouts) {
        SCOPED_TRACE(layout);
        const auto probe = probeUnder(layout, QStringLiteral("Sonde ponctuation ") + layout);
        ASSERT_TRUE(probe);
        const Outcome out = run({"Type Special\t;", "Type Special\tMaj;;"}, false);
        ASSERT_TRUE(out.ended);
        EXPECT_EQ(out.status, 0) << out.errors.toStdString();
        EXPECT_TRUE(probe->waitForLine("text ;" + shifted)) << probe->lines().join('\n').toStdString();
    }
}

// "ScriptEval" rows: values into variables, Booleans as conditions, errors.
TEST_F(Unattended, ScriptEvaluation) {
    struct Case {
        const char* name;
        QStringList rows;
        QStringList lines;  // report lines expected among the others
        QStringList absent;  // report lines that must not be there
    };
    const QStringList verdict = {"Commentaire\tjuste", "Commentaire\tfaux"};
    const Case cases[] = {
        {"x et xy", QStringList{"Variable\tx;2;Numerique;", "Variable\txy;5;Numerique;", "Variable\tR;;Alpha;",
                                "ScriptEval\tVBScript;R;xy * 10 + x", "Examine\tR;=;52;"} + verdict,
         {"Examine R;=;52;  R='52'", "Commentaire juste "}, {}},
        {"Math.max", QStringList{"Variable\tR;;Alpha;", "ScriptEval\tJScript;R;Math.max(3,7)*2", "Examine\tR;=;14;"} + verdict,
         {"Examine R;=;14;  R='14'", "Commentaire juste "}, {}},
        {"condition VBScript", QStringList{"Variable\tR;garde;Alpha;", "ScriptEval\tVBScript;R;1<2",
                                          "Commentaire\talors", "Commentaire\tsinon", "Examine\tR;=;garde;"} + verdict,
         {"Commentaire alors ", "Examine R;=;garde;  R='garde'", "Commentaire juste "}, {"Commentaire sinon "}},
        {"effet de bord une fois", QStringList{"Variable\tK;;Alpha;", "ScriptEval\tJScript;K;k = 0",
                                             "ScriptEval\tJScript;K;k++ < 1", "Commentaire\talors",
                                             "Commentaire\tsinon", "ScriptEval\tJScript;K;k", "Examine\tK;=;1;"} + verdict,
         {"Commentaire alors ", "Examine K;=;1;  K='1'", "Commentaire juste "}, {"Commentaire sinon "}},
        {"boucle sans fin", {"Variable\t[ERROR.ADAPTATOR];4;Numerique;", "Variable\tR;;Alpha;",
                             "ScriptEval\tJScript;R;while(true){}", "Commentaire\tsuite"},
         {"Le script ne s'est pas terminé en 5 s : il a été interrompu. code [0]", "Commentaire suite "}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QElapsedTimer elapsed;
        elapsed.start();
        const Outcome out = run(c.rows);
        ASSERT_TRUE(out.ended);
        EXPECT_LT(elapsed.elapsed(), 20000);
        EXPECT_EQ(out.status, 0) << out.errors.toStdString();
        for (const QString& line : c.lines) EXPECT_TRUE(out.report.contains(line)) << out.report.join('\n').toStdString();
        for (const QString& line : c.absent) EXPECT_FALSE(out.report.contains(line)) << line.toStdString();
    }
}

// A text with a quote and a backslash goes through a script unchanged, into a real window.
TEST_F(Unattended, ScriptTextIsTypedBackUnchanged) {
    const auto probe = probeUnder("us", "Sonde script");
    ASSERT_TRUE(probe);
    const Outcome out = run({"Variable\tT;a\"b\\c;Alpha;", "Variable\tR;;Alpha;", "ScriptEval\tJScript;R;T", "Type\tR"});
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 0) << out.errors.toStdString();
    EXPECT_TRUE(probe->waitForLine("text a\"b\\c")) << probe->lines().join('\n').toStdString();
}

// "Trouve image" on the real screen: a client shows one picture twice.
TEST_F(Unattended, FindImageOnTheScreen) {
    newHome();
    QImage picture(40, 30, QImage::Format_RGB32);
    QRandomGenerator random(16);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, 0xff000000u | (random.generate() & 0xffffffu));
    ASSERT_TRUE(picture.save(home->filePath("motif.bmp"), "BMP"));
    ASSERT_TRUE(picture.save(home->filePath("motif.ppm"), "PPM"));
    QImage firstColumn = picture;
    for (int y = 0; y < picture.height(); ++y) firstColumn.setPixel(0, y, ~picture.pixel(0, y) | 0xff000000u);
    ASSERT_TRUE(firstColumn.save(home->filePath("colonne.bmp"), "BMP"));

    Probe client({PICTURE_CLIENT, home->filePath("motif.ppm"), "Images"}, "wish");
    ASSERT_TRUE(desktoptest::waitFor([&] { return client.lines().size() >= 2; }, 10000)) << "the pictures are not shown";
    QVector<QPoint> shown;
    for (const QString& line : client.lines()) shown << QPoint(line.section(' ', 2, 2).toInt(), line.section(' ', 3, 3).toInt());
    const QSize screen(desk().GetSystemMetrics(platform::SM_CXSCREEN), desk().GetSystemMetrics(platform::SM_CYSCREEN));
    const QString zone = QStringLiteral("0;0;%1;%2;0;0;0;0;").arg(screen.width()).arg(screen.height());
    // The report line of an Examine shows the variable's value; two rows follow it as it needs.
    auto examine = [](const char* name, const QString& value) {
        return QStringList{QStringLiteral("Examine\t%1;=;%2;").arg(name, value), "Commentaire\toui", "Commentaire\tnon"};
    };
    auto found = [&](const char* x, const char* y, QPoint at) {
        return examine(x, QString::number(at.x())) + examine(y, QString::number(at.y()));
    };
    const QPoint second = shown[1] + QPoint(1, 1);  // one more than the pixel's coordinates
    const QStringList rows =
        QStringList{"Variable\t[ERROR.ADAPTATOR];4;Numerique;", "Variable\tX;x;Alpha;", "Variable\tY;y;Alpha;",
                    "Variable\tN;2;Numerique;", "Trouve image\t" + home->filePath("motif.bmp") + ';' + zone + "X;Y;N"} +
        found("X", "Y", second) +
        QStringList{"Trouve image\t" + home->filePath("motif.bmp") + ';' + zone + "X;Y;3"} + found("X", "Y", {-1, -1}) +
        QStringList{"Variable\tX;x;Alpha;", "Trouve image\t" + home->filePath("colonne.bmp") + ';' + zone + "X;Y;1"} +
        found("X", "Y", {-1, -1}) +
        QStringList{"Variable\tX;x;Alpha;", "Trouve image\t" + home->filePath("absent.bmp") + ';' + zone + "X;Y;1"} +
        examine("X", "x") + QStringList{"Commentaire\tfin"};
    const Outcome out = runMacro(writeMacro(rows));
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 0) << out.errors.toStdString();
    const QStringList expected = {
        QStringLiteral("Examine X;=;%1;  X='%1'").arg(second.x()), QStringLiteral("Examine Y;=;%1;  Y='%1'").arg(second.y()),
        "Examine X;=;-1;  X='-1'", "Examine Y;=;-1;  Y='-1'",
        "Trouve image : le fichier image « " + home->filePath("absent.bmp") + " » est introuvable.",
        "Examine X;=;x;  X='x'", "Commentaire fin "};
    for (const QString& line : expected) EXPECT_TRUE(out.report.contains(line)) << out.report.join('\n').toStdString();
    EXPECT_EQ(out.report.count("Examine X;=;-1;  X='-1'"), 2);  // the third occurrence, the other first column
}

}  // namespace
