// The "Execute" command on the fake desktop: programs, documents, addresses,
// sounds, the tools menu and sub-macros; the real launchers without a shell.
#include "core/MacroFileRecord.h"
#include "core/Settings.h"
#include "tests/support/TestServices.h"
#include "tests/unit/RunTest.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTextEdit>
#include <QThread>
#include <QTreeWidget>

namespace {

using Rows = QVector<QPair<QString, QString>>;

class Execute : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        form->CheckBox3->click();  // the report
    }
    void TearDown() override {
        RunTest::TearDown();
        EXPECT_EQ(RunState().SubMacroLevel, 0);
        EXPECT_EQ(RunState().SubMacroList, nullptr);
    }
    void run(const Rows& rows) {
        fake().calls.clear();
        messages.shown.clear();
        RunTest::run(rows);
    }
    QStringList launches() const {
        QStringList out = fake().calls;
        out.removeIf([](const QString& c) {
            return !c.startsWith("StartProgram") && !c.startsWith("OpenWithDesktop") && !c.startsWith("PlaySound");
        });
        return out;
    }
    QString path(const QString& name) const { return QDir(home.path()).filePath(name); }
    QString file(const QString& name, const QByteArray& contents = "x", bool executable = false) {
        QDir().mkpath(QFileInfo(path(name)).path());
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contents);
        if (executable) f.setPermissions(f.permissions() | QFile::ExeOwner);
        return f.fileName();
    }
    QString macro(const QString& name, const Rows& rows) {
        QByteArray bytes;
        for (const auto& [k, p] : rows) bytes += TMacroFileRecord{k, p}.toBytes();
        return file(name, bytes);
    }
    QString report() const { return form->RichEdit1->toPlainText(); }
};

TEST_F(Execute, TargetsGoToTheirLauncher) {
    const QString prog = file("prog", "#!/bin/sh\n", true);
    const QString spaced = file("un dossier/prog", "#!/bin/sh\n", true);
    const QString doc = file("lettre.txt");
    const QString sound = file("son.wav");
    const QString loud = file("SON.WAV");
    const QString other = file("autre.mcr");
    struct Case {
        QString params;
        QString launch;
        bool waitSound = true;
    };
    const std::vector<Case> cases = {
        {"http://exemple.org/;", "OpenWithDesktop http://exemple.org/"},
        {"HTTP://EXEMPLE.ORG/;", "OpenWithDesktop HTTP://EXEMPLE.ORG/"},
        {"mailto:a@exemple.org;", "OpenWithDesktop mailto:a@exemple.org"},
        {"https://exemple.org/;", "OpenWithDesktop https://exemple.org/"},
        {prog + ";", "StartProgram " + prog},
        {prog + ";-a \"b c\" $HOME;x;", "StartProgram " + prog + "|-a|b c|$HOME"},
        {prog + " un deux;ignoré;", "StartProgram " + prog + "|un|deux"},  // the target's own arguments win
        {"\"" + spaced + "\" trois;", "StartProgram " + spaced + "|trois"},
        {doc + ";", "OpenWithDesktop " + doc},
        {home.path() + ";", "OpenWithDesktop " + home.path()},
        {sound + ";", "PlaySound " + sound + " wait"},
        {sound + ";", "PlaySound " + sound, false},
        {loud + ";", "OpenWithDesktop " + loud},         // ".WAV" is no sound
        {sound + ";fort;", "OpenWithDesktop " + sound},  // a sound with parameters is a document
        {other + ";/edt;", "StartProgram " + QCoreApplication::applicationFilePath() + "|" + other + "|/edt"},
        {"touch /tmp/x; touch /tmp/y;", "StartProgram touch /tmp/x|touch|/tmp/y"},  // no such program, no shell
    };
    for (const Case& c : cases) {
        settings().WaitSnd = c.waitSound;
        run({{"Execute", c.params}});
        EXPECT_EQ(launches(), QStringList{c.launch}) << c.params.toStdString();
        EXPECT_FALSE(RunState().RunEndedInError) << c.params.toStdString();
    }
}

TEST_F(Execute, VariablesGiveTargetAndParameters) {
    const QString prog = file("prog", "#!/bin/sh\n", true);
    run({{"Variable", "P;" + prog + ";Alpha;"}, {"Variable", "A;--vite;Alpha;"}, {"Execute", "P;A;"}});
    EXPECT_EQ(launches(), QStringList{"StartProgram " + prog + "|--vite"});
}

TEST_F(Execute, AFailedStartIsAnErrorThatStopsTheRun) {
    fake().launchResult = platform::LAUNCH_NOT_FOUND;
    run({{"Execute", "/nulle/part/prog;"}, {"Variable", "APRES;1;Numerique;"}});
    const QString message = "Le fichier spécifié est introuvable. (/nulle/part/prog)";
    EXPECT_EQ(var("[ERROR]"), message);
    EXPECT_TRUE(report().contains(message));
    EXPECT_TRUE(RunState().RunEndedInError);
    EXPECT_EQ(var("APRES"), "?");
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, message + " Arrêt de la macro inévitable. [Position 1]");
}

TEST_F(Execute, AMissingSoundIsReported) {
    fake().launchResult = platform::LAUNCH_NOT_FOUND;
    run({{"Variable", "[ERROR.ADAPTATOR];4;Numerique;"}, {"Execute", "/nulle/part.wav;"}});
    EXPECT_EQ(var("[ERROR]"), "Fichier introuvable (/nulle/part.wav).");
}

TEST_F(Execute, ToolsMenuEntries) {
    QStringList opened;
    testServices().onOpenDocument = [&](const QString& p, const QString&) {
        opened << p;
        return true;
    };
    const QString a = file("a.sh"), b = file("b.sh");
    QFile config(path("config.ini"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QString("[Outils]\n1=%1\n2=%2\n").arg(a, b).toUtf8());
    config.close();
    LoadSettings();
    settings().GeneralActive = settings().CheckBeforeRun = false;
    run({{"Execute", "2;"}});
    EXPECT_EQ(opened, QStringList{b});
    for (const char* n : {"0", "3"}) {
        run({{"Variable", "[ERROR.ADAPTATOR];4;Numerique;"}, {"Execute", QString(n) + ";"}});
        EXPECT_EQ(var("[ERROR]"), QString("N° de raccourci introuvable [%1] dans le menu \"Mes Outils\".").arg(n));
    }
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(Execute, SubMacroRunsInsideTheRunWithItsReportLines) {
    const QString sub = macro("sous.mcr", {{"Variable", "X;depuis la sous-macro;Alpha;"}, {"Commentaire", "x"}});
    run({{"Execute", sub + ";"}, {"Variable", "Y;après;Alpha;"}});
    EXPECT_EQ(var("X"), "depuis la sous-macro");
    EXPECT_EQ(var("Y"), "après");
    EXPECT_FALSE(RunState().RunEndedInError);
    const QString text = report();
    const qsizetype enter = text.indexOf("Entre dans une sous-macro (sous.mcr)[1/14].");
    const qsizetype leave = text.indexOf("Quitte la sous-macro (sous.mcr)[0/14].");
    ASSERT_GE(enter, 0) << text.toStdString();
    EXPECT_GT(text.indexOf("Variable X;depuis la sous-macro;Alpha;"), enter);
    EXPECT_GT(leave, text.indexOf("Variable X;depuis la sous-macro;Alpha;"));
    EXPECT_GT(text.indexOf("Variable Y;après;Alpha;"), leave);
    EXPECT_TRUE(launches().isEmpty());
}

TEST_F(Execute, QuitterEndsTheSubMacroOnlyAndInclusionsExpand) {
    const QString inc = macro("inclus.mcr", {{"Variable", "I;inclus;Alpha;"}});
    const QString sub =
        macro("sous.mcr",
              {{"Inclusion", inc}, {"Variable", "A;1;Numerique;"}, {"Quitter", ""}, {"Variable", "A;2;Numerique;"}});
    run({{"Execute", sub + ";"}, {"Variable", "B;3;Numerique;"}});
    EXPECT_EQ(var("I"), "inclus");
    EXPECT_EQ(var("A"), "1");
    EXPECT_EQ(var("B"), "3");
}

TEST_F(Execute, FifteenNestedSubMacrosGiveTheDepthMessage) {
    for (int level = 1; level <= 15; ++level)
        macro(QString("niveau%1.mcr").arg(level), {{"Variable", QString("L%1;%1;Numerique;").arg(level)},
                                                   {"Execute", path(QString("niveau%1.mcr").arg(level + 1)) + ";"}});
    run({{"Execute", path("niveau1.mcr") + ";"}, {"Variable", "FIN;1;Numerique;"}});
    EXPECT_EQ(var("L14"), "14");
    EXPECT_EQ(var("L15"), "?");
    EXPECT_EQ(var("FIN"), "?");
    EXPECT_TRUE(RunState().RunEndedInError);
    const QString message = "Niveau d'indentation de sous macro trop grand (Max 14).";
    EXPECT_EQ(var("[ERROR]"), message);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, message + " Arrêt de la macro inévitable. [Position 1.2]");
    EXPECT_TRUE(report().contains("Entre dans une sous-macro (niveau14.mcr)[14/14]."));
    EXPECT_TRUE(report().contains("Quitte la sous-macro (niveau1.mcr)[0/14]."));
}

TEST_F(Execute, AMissingSubMacroIsReportedWithItsPosition) {
    const QString sub = macro("sous.mcr", {{"Commentaire", "x"}, {"Execute", "/nulle/part.mcr;"}});
    run({{"Execute", sub + ";"}});
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Fichier introuvable (/nulle/part.mcr). Arrêt de la macro. [Position 1.2]");
}

TEST_F(Execute, TheCallersSettingsComeBackSeparatorIncluded) {
    const QString sub = macro("sous.mcr", {{"Variable", "X#dans la sous-macro#Alpha#"}});
    QFile ini(path("sous.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Control]\nCarSepParam=#\n[Delais]\nGeneral_Actif=False\n");
    ini.close();
    settings().TypeTime = "7";  // only in memory: the caller's own
    run({{"Execute", sub + ";"}, {"Variable", "Y;z;Alpha;"}});
    EXPECT_EQ(var("X"), "dans la sous-macro");
    EXPECT_EQ(var("Y"), "z");
    EXPECT_EQ(settings().Separator, ";");
    EXPECT_EQ(settings().TypeTime, "7");
    EXPECT_FALSE(RunState().RunEndedInError);
}

TEST_F(Execute, ASubMacroWithoutIniKeepsTheCallersSettings) {
    const QString sub = macro("sous.mcr", {{"Variable", "X#v#Alpha#"}});
    settings().Separator = "#";
    run({{"Execute", sub + "#"}, {"Variable", "Y#z#Alpha#"}});
    EXPECT_EQ(var("X"), "v");
    EXPECT_EQ(var("Y"), "z");
}

TEST_F(Execute, ASubMacroThatFailsTheCheckStopsTheRun) {
    const QString sub = macro("sous.mcr", {{"Variable", "X;1;Numerique;"}, {"Inconnue", "x"}});
    run({{"Commentaire", "x"}, {"Execute", sub + ";"}, {"Variable", "Y;1;Numerique;"}});
    EXPECT_EQ(var("X"), "?");
    EXPECT_EQ(var("Y"), "?");
    EXPECT_TRUE(RunState().RunEndedInError);
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    ASSERT_GE(form->ListView2->topLevelItemCount(), 1);
    const QTreeWidgetItem* row = form->ListView2->topLevelItem(form->ListView2->topLevelItemCount() - 1);
    EXPECT_EQ(row->text(1), "Erreur");
    EXPECT_TRUE(row->text(0) == "2.2" || row->text(0) == "2,2") << row->text(0).toStdString();
}

TEST_F(Execute, KindsComeFromTheListBeingRun) {
    // M is declared by the main macro only: inside the sub-macro it is a plain text.
    const QString sub = macro("sous.mcr", {{"Variable", "R;0;Numerique;"}, {"Fonction", "R;Texte;Longueur;M;"}});
    run({{"Variable", "M;quatre;Alpha;"},
         {"Execute", sub + ";"},
         {"Variable", "S;0;Numerique;"},
         {"Fonction", "S;Texte;Longueur;M;"}});
    EXPECT_EQ(var("R"), "1");
    EXPECT_EQ(var("S"), "6");
}

// The real launchers: arguments are never read by a shell.
TEST_F(Execute, RealStartsPassArgumentsAsTheyAre) {
    platform::Platform& real = fake();
    const QString out = path("sortie.txt");
    const QString prog =
        file("ecrit", QString("#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '%1'\n").arg(out).toUtf8(), true);
    EXPECT_EQ(real.Platform::StartProgram(prog, {"a;b", "$HOME", "c d"}), platform::LAUNCH_OK);
    QFile result(out);
    for (int i = 0; i < 250 && !(result.exists() && result.size() > 0); ++i) QThread::msleep(20);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.readAll(), "a;b\n$HOME\nc d\n");

    const QString x = path("x"), y = path("y");
    EXPECT_EQ(real.Platform::StartProgram("touch " + x + "; touch " + y, {}), platform::LAUNCH_NOT_FOUND);
    EXPECT_EQ(real.Platform::StartProgram(path("absent"), {}), platform::LAUNCH_NOT_FOUND);
    EXPECT_EQ(real.Platform::StartProgram(file("texte.txt"), {}), platform::LAUNCH_DENIED);
    EXPECT_EQ(real.Platform::PlaySound(path("absent.wav")), platform::LAUNCH_NOT_FOUND);
    QThread::msleep(100);
    EXPECT_FALSE(QFile::exists(x));
    EXPECT_FALSE(QFile::exists(y));
}

}  // namespace
