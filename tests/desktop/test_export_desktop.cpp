// Exported programs for real: "orvanel m.mcr /fromExport" with its wizard
// validated by a key, then the result run from another folder, its plug-in
// in the plug-ins' host program packed with it; crafted results refused by
// the stub.
#include "tests/desktop/UnattendedRun.h"
#include "tests/support/ContainerTool.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>

namespace {

using desktoptest::Unattended;

class ExportDesktop : public Unattended {
protected:
    void SetUp() override {
        Unattended::SetUp();
        if (IsSkipped()) return;
        newHome();
        ASSERT_TRUE(QFile::copy(DIVOV_STUB, home->filePath("DivOV.exe")));
        ASSERT_TRUE(tmp.isValid() && elsewhere.isValid());
    }
    static void write(const QString& file, const QByteArray& bytes) { WriteBytes(file, bytes); }
    static QByteArray bytesOf(const QString& file) { return ReadBytes(file); }
    // Runs a program from the other folder with a private temporary folder.
    desktoptest::Outcome start(const QString& program, const QStringList& args = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", tmp.path());
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("ORVANEL_HOME");
        env.remove("ORVANEL_PLUGIN_HOST");  // the packed one runs the plug-ins
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(elsewhere.path());
        p.start(program, args);
        desktoptest::Outcome out;
        out.ended = p.waitForStarted(10000) && p.waitForFinished(90000);
        if (!out.ended) p.kill(), p.waitForFinished(5000);
        out.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        out.errors = QString::fromLocal8Bit(p.readAllStandardError());
        return out;
    }
    QStringList leftInTmp() const { return QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }

    QTemporaryDir tmp, elsewhere;
};

TEST_F(ExportDesktop, TheExportedProgramRunsItsMacroFromAnywhere) {
    const QString input = home->filePath("donnees/a.txt"), output = elsewhere.filePath("sortie.txt");
    write(input, "contenu emporté\r\n");
    write(output, "journal\r\n");  // a log the macro only writes: it stays where it is
    QFile config(home->filePath("config.ini"));
    ASSERT_TRUE(config.open(QIODevice::Append));
    config.write(QStringLiteral("[DynOrder]\n1=%1\n").arg(EXEMPLE_PLUGIN).toUtf8());
    config.close();
    const QString macro = writeMacro({"Variable\tT;;Alpha;", "Lire\t" + input + ";T;1;", "Ecrire\t" + output + ";T;;",
                                      "Variable\tU;;Alpha;", "Exemple\tU;par le plug-in;", "Ecrire\t" + output + ";U;;"});
    // The export with its wizard, validated by the Return key.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORVANEL_HOME", home->path());
    env.insert("QT_QPA_PLATFORM", "xcb");
    QProcess exporter;
    exporter.setProcessEnvironment(env);
    exporter.start(ORVANEL_PROGRAM, {macro, "/fromExport"});
    QByteArray window;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000 &&
           !desktoptest::run("xdotool", {"search", "--onlyvisible", "--name", "Ajout de fichiers"}, &window))
        QThread::msleep(200);
    ASSERT_FALSE(window.isEmpty()) << "no wizard";
    const QString id = QString::fromLatin1(window).split('\n').first();
    desktoptest::run("xdotool", {"windowactivate", "--sync", id});
    desktoptest::run("xdotool", {"key", "Return"});
    ASSERT_TRUE(exporter.waitForFinished(60000)) << "the export did not end";
    EXPECT_EQ(exporter.exitCode(), 0);
    const QString result = home->filePath("essai.exe");
    EXPECT_TRUE(QString::fromLocal8Bit(exporter.readAllStandardError())
                    .contains("La macro a été exportée dans le programme " + result + "."));
    ASSERT_TRUE(QFileInfo(result).isExecutable());
    EXPECT_FALSE(QFile::exists(home->filePath("essai.~exe")));

    // The packed copy is the one read: the original changes.
    write(input, "original changé\r\n");
    const desktoptest::Outcome out = start(result);
    ASSERT_TRUE(out.ended);
    EXPECT_EQ(out.status, 0) << out.errors.toStdString();
    EXPECT_EQ(bytesOf(output), "journal\r\ncontenu emporté\r\npar le plug-in\r\n");
    EXPECT_EQ(leftInTmp(), QStringList());
}

TEST_F(ExportDesktop, CraftedResultsAreRefusedAndWriteNothing) {
    write(home->filePath("m.mcr"), "");
    write(home->filePath("x"), "hors du dossier");
    const QJsonObject program{{"name", "\\orvanel.exe"}, {"source", QString(DIVOV_STUB)}};
    const QJsonObject macro{{"name", "\\m.mcr"}, {"source", home->filePath("m.mcr")}};
    auto entry = [&](const QString& name) { return QJsonObject{{"name", name}, {"source", home->filePath("x")}}; };
    // Where "\..\..\" leads from the stub's folder in tmp: tmp's parent.
    const QString escape = "evasion-" + QFileInfo(tmp.path()).fileName();
    const QJsonObject cases[] = {
        {{"entries", QJsonArray{program, macro, entry("\\..\\..\\" + escape)}}},
        {{"entries", QJsonArray{program, macro, entry("/tmp/" + escape)}}},
        {{"entries", QJsonArray{program, macro, entry("\\a\\\\x")}}},
        {{"entries", QJsonArray{program, macro, QJsonObject{{"name", "\\y"}, {"source", home->filePath("x")}, {"csize", 1 << 30}}}}},
        {{"entries", QJsonArray{macro}}},
    };
    const QString crafted = elsewhere.filePath("piege.exe");
    for (const QJsonObject& layout : cases) {
        QJsonObject withStub = layout;
        withStub["prefix"] = QString(DIVOV_STUB);
        withStub["offset"] = int(QFileInfo(DIVOV_STUB).size());
        ASSERT_TRUE(containertool::write(crafted, withStub));
        QFile::setPermissions(crafted, QFile::permissions(crafted) | QFileDevice::ExeOwner);
        const desktoptest::Outcome out = start(crafted);
        ASSERT_TRUE(out.ended);
        EXPECT_EQ(out.status, 2) << QJsonDocument(layout).toJson().toStdString();
        EXPECT_TRUE(out.errors.startsWith("DivOV : ")) << out.errors.toStdString();
        EXPECT_EQ(leftInTmp(), QStringList());
        EXPECT_FALSE(QFile::exists(QFileInfo(tmp.path()).path() + "/" + escape));
    }
}

}  // namespace
