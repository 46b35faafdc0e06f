// The program itself started with a command line: the built "orvanel" in a
// private program folder, on the offscreen platform.
#include "core/MacroFileRecord.h"
#include "platform/IniFile.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(QFileInfo(program()).isExecutable()) << program().toStdString();
    }
    static QString program() { return QCoreApplication::applicationDirPath() + "/../bin/orvanel"; }
    QString file(const QString& name) const { return QDir(home.path()).filePath(name); }
    void writeMacro(const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(TMacroFileRecord{"Commentaire", "bonjour"}.toBytes());
    }
    // Starts the program; true when it ended within the time given.
    bool run(const QStringList& args, int ms = 60000) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("ORVANEL_HOME", home.path());
        process.setProcessEnvironment(env);
        process.start(program(), args);
        EXPECT_TRUE(process.waitForStarted());
        return process.waitForFinished(ms);
    }
    void TearDown() override {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    QTemporaryDir home;
    QProcess process;
};

TEST_F(ProgramTest, AMissingMacroEndsAtOnceWithAFrenchMessage) {
    ASSERT_TRUE(run({file("absent.mcr")}));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 2);
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    EXPECT_TRUE(err.contains("Orvanel : le fichier de macro « " + file("absent.mcr") + " » est introuvable."))
        << err.toStdString();
}

TEST_F(ProgramTest, AMacroRunWithoutTheEditorEndsAndKeepsNoPositions) {
    QDir(home.path()).mkdir("mes macros");
    writeMacro(file("mes macros/ma macro.mcr"));
    // Given whole, and split at its blanks as an unquoted command line gives it.
    for (const QStringList& args : {QStringList{file("mes macros/ma macro.mcr")},
                                    QStringList{file("mes"), "macros/ma", "macro.mcr"}}) {
        ASSERT_TRUE(run(args)) << args.join(' ').toStdString();
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        EXPECT_FALSE(platform::IniFile(file("config.ini")).SectionExists("Form1"));
    }
}

TEST_F(ProgramTest, TheEditorStaysOpen) {
    writeMacro(file("m.mcr"));
    // A missing macro for the editor opens it on a new macro.
    for (const QStringList& args : {QStringList{}, QStringList{file("m.mcr"), "/edt"}, QStringList{file("absent.mcr"), "/edt"}}) {
        EXPECT_FALSE(run(args, 1500)) << "ended with " << process.exitCode() << ": "
                                      << process.readAllStandardError().toStdString();
        process.kill();
        process.waitForFinished();
    }
}

}  // namespace
