// "Execute" and "Fonction" in the program itself, run unattended: sub-macros
// and their report lines, the depth limit, a sub-macro's own settings file,
// programs that cannot start, a second Orvanel, Fonction results.
#include "tests/desktop/UnattendedRun.h"

#include <QDate>
#include <csignal>

namespace {

using namespace desktoptest;

// The report without its empty lines.
QStringList filled(QStringList lines) {
    lines.removeAll(QString());
    return lines;
}

TEST_F(Unattended, ASubMacroRunsInsideTheRunAndQuitterEndsItOnly) {
    newHome();
    const QString sub = writeMacro({"Variable\tS;1;Numerique;", "Quitter\t", "Variable\tS;2;Numerique;"}, "sous.mcr");
    const Outcome out = runMacro(writeMacro({"Variable\tS;0;Numerique;", "Execute\t" + sub + ";", "Commentaire\tS"}));
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 0) << out.errors.toStdString();
    EXPECT_EQ(filled(out.report),
              QStringList({"Variable S;0;Numerique;  S=0", "Execute " + sub + "; ",
                           "Entre dans une sous-macro (sous.mcr)[1/14].", "Variable S;1;Numerique;  S=0",
                           "Quitte la sous-macro (sous.mcr)[0/14].", "Commentaire S  S=1"}));
}

TEST_F(Unattended, FifteenNestedSubMacrosStopAtTheDepthLimit) {
    newHome();
    for (int level = 1; level <= 15; ++level)
        writeMacro({QStringLiteral("Execute\t%1;").arg(home->filePath(QStringLiteral("niveau%1.mcr").arg(level + 1)))},
                   QStringLiteral("niveau%1.mcr").arg(level));
    const Outcome out =
        runMacro(writeMacro({"Execute\t" + home->filePath("niveau1.mcr") + ";", "Commentaire\tjamais"}));
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 1);
    const QString message = "Niveau d'indentation de sous macro trop grand (Max 14).";
    EXPECT_TRUE(out.errors.contains(message + " Arrêt de la macro inévitable. [Position 1.1]"))
        << out.errors.toStdString();
    const QStringList report = filled(out.report);
    for (int level = 1; level <= 14; ++level)
        EXPECT_TRUE(report.contains(QStringLiteral("Entre dans une sous-macro (niveau%1.mcr)[%1/14].").arg(level)))
            << level;
    EXPECT_TRUE(report.contains(message));
    EXPECT_EQ(report.last(), "Quitte la sous-macro (niveau1.mcr)[0/14].");
    EXPECT_FALSE(report.join('\n').contains("jamais"));
}

TEST_F(Unattended, TheCallersSeparatorComesBackAfterASubMacroWithItsOwnSettings) {
    newHome();
    const QString sub = writeMacro({"Variable\tX#dans la sous-macro#Alpha#", "Commentaire\tX"}, "sous.mcr");
    QFile ini(home->filePath("sous.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Control]\nCarSepParam=#\n");
    ini.close();
    const Outcome out = runMacro(
        writeMacro({"Variable\tY;;Alpha;", "Execute\t" + sub + ";", "Variable\tY;z;Alpha;", "Commentaire\tY;"}));
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 0) << out.errors.toStdString();
    EXPECT_TRUE(out.report.contains("Commentaire X  X='dans la sous-macro'")) << out.report.join('\n').toStdString();
    EXPECT_EQ(out.report.last(), "Commentaire Y;  Y='z'");
}

TEST_F(Unattended, AProgramThatCannotStartStopsTheRunAndNoShellRuns) {
    newHome();
    const QString x = home->filePath("x"), y = home->filePath("y");
    struct Case {
        QString target;
        QString message;
    };
    const Case cases[] = {
        {"/nulle/part/programme", "Le fichier spécifié est introuvable. (/nulle/part/programme)"},
        {"touch " + x + "; touch " + y, "Le fichier spécifié est introuvable. (touch " + x + ")"},
        {"touch " + x + " | touch " + y, "Le fichier spécifié est introuvable. (touch " + x + " | touch " + y + ")"},
    };
    for (const Case& c : cases) {
        const Outcome out = runMacro(writeMacro({"Execute\t" + c.target, "Commentaire\tjamais"}));
        ASSERT_TRUE(out.ended);
        EXPECT_EQ(out.status, 1);
        EXPECT_EQ(out.report.value(1), c.message) << out.report.join('\n').toStdString();
        EXPECT_TRUE(out.errors.contains(c.message + " Arrêt de la macro inévitable. [Position 1]"))
            << out.errors.toStdString();
    }
    QThread::msleep(200);
    EXPECT_FALSE(QFile::exists(x));
    EXPECT_FALSE(QFile::exists(y));
}

// A macro file with parameters is run by a second Orvanel; this run does not wait for it.
TEST_F(Unattended, AMacroWithParametersRunsInASecondOrvanel) {
    newHome();
    const QString second =
        writeMacro({QStringLiteral("Execute\t%1;--title \"Seconde instance\";").arg(PROBE_CLIENT)}, "seconde.mcr");
    QFile ini(home->filePath("seconde.ini"));  // its own report file
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(("[Control]\nRapportFile=" + home->filePath("seconde.doc") + "\n").toUtf8());
    ini.close();
    const Outcome out = runMacro(writeMacro({"Execute\t" + second + ";essai;", "Commentaire\tsuite"}));
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 0) << out.errors.toStdString();
    EXPECT_EQ(out.report.last(), "Commentaire suite ");
    platform::HWND probe = 0;
    EXPECT_TRUE(waitFor([&] { return (probe = desk().FindWindow("OrvanelProbe", "Seconde instance")) != 0; }, 20000))
        << out.errors.toStdString();
    if (probe) ::kill(pid_t(desk().GetWindowThreadProcessId(probe)), SIGTERM);
}

TEST_F(Unattended, FonctionResultsMatchIndependentCommands) {
    newHome();
    QFile data(home->filePath("donnees.bin"));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write(QByteArray(4321, 'z'));
    data.close();
    QByteArray date, size;
    ASSERT_TRUE(desktoptest::run("date", {"-d", "yesterday", "+%d/%m/%Y"}, &date));
    ASSERT_TRUE(desktoptest::run("stat", {"-c", "%s", data.fileName()}, &size));
    const Outcome out = runMacro(
        writeMacro({"Variable\tHIER;;Alpha;", "Variable\tT;0;Numerique;", "Variable\tL;;Alpha;",
                    "Fonction\tHIER;Date;JJ/MM/AAAA;-1;", "Fonction\tT;Fichier;Taille octets;" + data.fileName() + ";",
                    "Fonction\tL;Hasard;Lettre;", "Commentaire\tHIER;T;"}));
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 0) << out.errors.toStdString();
    EXPECT_EQ(out.report.last(), QStringLiteral("Commentaire HIER;T;  HIER='%1' T=%2")
                                     .arg(QString::fromUtf8(date).trimmed(), QString::fromUtf8(size).trimmed()));
}

}  // namespace
