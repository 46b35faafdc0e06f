// Nothing lost when the program ends without being asked to: the recovery
// copy of a changed macro and its offer at the next start, the report of a
// fatal signal read back by the crash mode, and the program itself killed
// by one.
#include "core/CrashViewer.h"
#include "core/FileDialog.h"
#include "core/FatalSignal.h"
#include "core/MacroFile.h"
#include "core/MacroFileRecord.h"
#include "core/MapFile.h"
#include "core/Recovery.h"
#include "core/Unit1.h"
#include "platform/ProgramFolder.h"
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <csignal>

namespace {

class Recovery : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        StartRecoveryCopies(*form);
    }
    void TearDown() override {
        RemoveRecoveryCopy();
        MainWindowTest::TearDown();
    }
    QString path(const QString& name) const { return QDir(home.path()).filePath(name); }
    // The macro saved as name with those rows, open in the editor.
    QString saved(const QString& name, const QVector<QPair<QString, QString>>& rows) {
        setRows(rows);
        form->SaveDialog1->FileName = path(name);
        form->Enregistrer1Click();
        return path(name);
    }
    // The rows of a macro file.
    static QStringList rowsOf(const QString& file) {
        TMacroFileData data;
        QStringList out;
        if (!data.load(file, nullptr)) return {"(illisible)"};
        for (int i = 0; i < data.count(); ++i) {
            const TMacroFileRecord r = data.record(i, false);
            out << r.keyword + u'|' + r.params;
        }
        return out;
    }
};

TEST_F(Recovery, ACopyFollowsTheChangesUntilTheSave) {
    const QString macro = saved("m.mcr", {{"Variable", "A;1;Numerique;"}});
    const QString copy = macro + "~";
    WriteRecoveryCopy();
    EXPECT_FALSE(QFile::exists(copy)) << "unchanged: no copy";

    form->Add_commande(form->ListView1, {"Commentaire", "ajouté"});
    WriteRecoveryCopy();
    EXPECT_EQ(rowsOf(copy), QStringList({"Variable|A;1;Numerique;", "Commentaire|ajouté"}));
    form->Enregistrer1Click();
    WriteRecoveryCopy();
    EXPECT_FALSE(QFile::exists(copy)) << "saved: the copy is gone";

    // A macro never saved has its copy in the program folder.
    form->Nouveau1Click();
    setRows({{"Commentaire", "neuf"}});
    WriteRecoveryCopy();
    const QString newCopy = platform::programFile("Nouvelle macro.mcr~");
    EXPECT_EQ(rowsOf(newCopy), QStringList({"Commentaire|neuf"}));
    RemoveRecoveryCopy();
    EXPECT_FALSE(QFile::exists(newCopy));
}

TEST_F(Recovery, TheNextStartOffersTheCopy) {
    for (int answer : {int(mrYes), int(mrNo)}) {
        SCOPED_TRACE(answer == mrYes ? "Oui" : "Non");
        const QString macro = saved("m.mcr", {{"Variable", "A;1;Numerique;"}});
        form->Add_commande(form->ListView1, {"Commentaire", "perdu ?"});
        WriteRecoveryCopy();
        // The next start: the editor on a new macro, the copy left.
        messages.answer = mrNo;
        form->Nouveau1Click();
        ASSERT_TRUE(QFile::exists(macro + "~"));
        // Its time in the interface's own words, whatever the number locale.
        const QString when = QFileInfo(macro + "~").lastModified().toString("dd/MM/yy 'à' HH:mm:ss");
        messages.shown.clear();
        messages.answer = answer;
        OfferRecoveryCopies();
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(
            messages.shown[0].text.contains("copie de récupération de « m.mcr » a été enregistrée le " + when))
            << messages.shown[0].text.toStdString();
        EXPECT_FALSE(QFile::exists(macro + "~") && answer == mrNo) << "declined: gone";
        if (answer == mrYes) {
            EXPECT_EQ(rowTexts(), QStringList({"Variable|A;1;Numerique;", "Commentaire|perdu ?"}));
            EXPECT_EQ(form->StatusPanel[0]->text(), macro);
            EXPECT_TRUE(form->MacroChange()) << "changed, to be saved";
        } else {
            EXPECT_TRUE(rowTexts().isEmpty());
        }
        RemoveRecoveryCopy();
        messages.answer = mrNo;
        form->Nouveau1Click();
    }
}

// The map of the program names the frames of a report; addresses of the
// libraries are left unnamed.
TEST(CrashReportLines, NameTheCrashedProgramsFunctions) {
    const QString map = QCoreApplication::applicationDirPath() + "/../bin/orvanel.map";
    QFile f(map);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) GTEST_SKIP() << "no program map (build the program first)";
    const QRegularExpressionMatch stop =
        QRegularExpression(" 0001:([0-9A-F]{8})       TRunner::Stop1Click\\(\\)\n").match(QString::fromUtf8(f.readAll()));
    ASSERT_TRUE(stop.hasMatch());
    ASSERT_TRUE(uDebugEx::LoadMapFile(map));
    const quint64 base = 0x555500000000, at = base + 0x1000 + stop.captured(1).toULongLong(nullptr, 16) + 4;
    const QString log = QStringLiteral("Signal : 11\nCode : 1\nAdresse : 0000000000000010\nInstruction : %1\n"
                                       "Base : %2\nHeure : 0\nRun : True 5 1 3\nEdited : False\n"
                                       "Macro : /tmp/m.mcr\nPile : %1 00007F0000001234\n")
                            .arg(at, 16, 16, QChar(u'0'))
                            .arg(base, 16, 16, QChar(u'0'));
    const QStringList lines = CrashReportLines(log.toUtf8());
    uDebugEx::FreeMapFile();
    ASSERT_GE(lines.size(), 16);
    EXPECT_EQ(lines[0], "Class :SIGSEGV");
    const QString address = QString::number(at, 16).toUpper();
    EXPECT_TRUE(lines[9].startsWith("Line Nr :")) << lines[9].toStdString();
    EXPECT_EQ(lines.mid(4, 9), QStringList({"Message :SIGSEGV (11) à l'adresse 0x00000010.",
                                            "Addr exception : 0x" + address, "Class :SIGSEGV", "File :Runner",
                                            "Procedure :TRunner::Stop1Click()", lines[9], "Run :True (5.3)",
                                            "Edited :False", "Macro :/tmp/m.mcr"}));
    EXPECT_EQ(lines.mid(lines.size() - 3),
              QStringList({"***** Pile d'appels *****",
                           QStringLiteral("0x%1 Runner TRunner::Stop1Click() %2").arg(address, lines[9].mid(9)),
                           "0x7F0000001234"}));
}

// "kill -SEGV" on the editor: the report of the program folder names the
// signal and the open macro, and the crash mode shows it.
TEST(FatalSignal, TheEditorKilledLeavesItsReportAndShowsIt) {
    QTemporaryDir home;
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ORVANEL_HOME", home.path());
    editor.setProcessEnvironment(env);
    editor.start(QCoreApplication::applicationDirPath() + "/../bin/orvanel", {});
    ASSERT_TRUE(editor.waitForStarted());
    ASSERT_FALSE(editor.waitForFinished(3000)) << "the editor waits for its user";
    ::kill(pid_t(editor.processId()), SIGSEGV);
    ASSERT_TRUE(editor.waitForFinished(5000));
    EXPECT_EQ(editor.exitStatus(), QProcess::CrashExit) << "it ends with the signal";
    const QString log = QString::fromUtf8(ReadBytes(QDir(home.path()).filePath("crash.log")));
    EXPECT_TRUE(log.startsWith("Signal : 11\nCode : 0\n")) << log.toStdString();
    EXPECT_TRUE(log.contains("\nMacro : Nouvelle macro\n")) << log.toStdString();
    EXPECT_TRUE(QRegularExpression("\nPile : [0-9A-F]{16}( [0-9A-F]{16})+\n").match(log).hasMatch()) << log.toStdString();
    // The crash mode is a program of its own, showing the report.
    qint64 viewer = 0;
    for (int tries = 0; tries < 200 && !viewer; ++tries, QThread::msleep(100))
        for (const QString& pid : QDir("/proc").entryList(QDir::Dirs))
            if (ReadBytes("/proc/" + pid + "/cmdline").endsWith(QByteArray("/crash\0", 7) +
                                                                 QDir(home.path()).filePath("crash.log").toUtf8() + '\0'))
                viewer = pid.toLongLong();
    ASSERT_NE(viewer, 0) << "no crash viewer started: " << editor.readAllStandardError().toStdString();
    ::kill(pid_t(viewer), SIGTERM);
}

}  // namespace
