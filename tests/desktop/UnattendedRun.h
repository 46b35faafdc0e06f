#pragma once
// The program itself, "orvanel file.mcr", run unattended on the private X
// server: macro files written by write_macro.py (not by our own writer), a
// fresh program folder with the report on, then the exit status, the
// numbered report file and the report's lines.
#include "core/Rtf.h"
#include "platform/Platform.h"
#include "tests/desktop/DesktopSupport.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

namespace desktoptest {

struct Outcome {
    bool ended = false;  // within the time allowed
    int status = -1;     // exit status
    QString errors;      // standard error
    QStringList report;  // lines of the first numbered report file, its header left out
};

// A report file read back as plain lines; empty when there is none.
inline QStringList reportLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray text = file.readAll();
    if (!text.startsWith("{\\rtf1")) return {"(pas du RTF) " + QString::fromLatin1(text.left(40))};
    QTextDocument doc;
    QTextCursor cursor(&doc);
    rtf::insert(cursor, text);
    return doc.toPlainText().split(u'\n');
}

class Unattended : public ::testing::Test {
protected:
    void SetUp() override {
        if (qgetenv("ORVANEL_PRIVATE_X") != "1") GTEST_SKIP() << "run through run-under-xvfb.sh";
        ASSERT_TRUE(QFileInfo(ORVANEL_PROGRAM).isExecutable()) << ORVANEL_PROGRAM;
        useLayout("us");
    }
    void TearDown() override {
        if (IsSkipped()) return;
        x11.reset();
        desktoptest::run("setxkbmap", {"us"});
    }
    void useLayout(const QString& layout) {
        x11.reset();
        ASSERT_TRUE(desktoptest::run("setxkbmap", {layout}));
        x11 = platform::openX11Platform();
        ASSERT_TRUE(x11) << "no X display";
    }
    platform::Platform& desk() { return *x11; }
    // A probe client on the server switched to `layout`, shown and active; null when it is not.
    std::unique_ptr<Probe> probeUnder(const QString& layout, const QString& title, const QStringList& options = {}) {
        useLayout(layout);
        auto probe = std::make_unique<Probe>(QStringList{"--title", title} + options);
        return x11 && showProbe(desk(), *probe, title) ? std::move(probe) : nullptr;
    }

    // A fresh program folder: report on, small delays, the check before the run as asked.
    void newHome(bool checkFirst = true) {
        home = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(home->isValid());
        QFile config(home->filePath("config.ini"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral("[Control]\nRapport=True\nErreur Execution=%1\n"
                                    "[Delais]\nGeneral_Actif=True\nGeneral_time=1\nType_Actif=True\nType_time=1\n"
                                    "SpeedMouse=30\n")
                         .arg(checkFirst ? "True" : "False")
                         .toLatin1());
    }
    // Writes the rows ("keyword<TAB>params") with the independent script; the file's path.
    QString writeMacro(const QStringList& rows, const QString& name = "essai.mcr") {
        const QString path = home->filePath(name);
        QProcess python;
        python.start("python3", {WRITE_MACRO, path});
        python.write(rows.join(u'\n').toUtf8());
        python.closeWriteChannel();
        const bool done = python.waitForFinished(10000);
        EXPECT_TRUE(done && python.exitCode() == 0) << python.readAllStandardError().toStdString();
        return path;
    }
    // Runs the program on the macro and waits for its end (bounded).
    Outcome runMacro(const QString& macro) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORVANEL_HOME", home->path());
        env.insert("QT_QPA_PLATFORM", "xcb");  // the private server of DISPLAY
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(ORVANEL_PROGRAM, {macro});
        Outcome out;
        if (!program.waitForStarted(10000)) return out;
        out.ended = program.waitForFinished(60000);
        if (!out.ended) {
            program.kill();
            program.waitForFinished(5000);
        }
        out.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
        out.errors = QString::fromLocal8Bit(program.readAllStandardError());
        const QStringList numbered = reportLines(home->filePath("rapport000001.doc"));
        if (!numbered.isEmpty()) {
            EXPECT_EQ(numbered.first(), "Fichier " + home->filePath("rapport000001.doc"));
            out.report = numbered.mid(1);
            if (!QFile::exists(home->filePath("rapport000002.doc")))
                EXPECT_EQ(reportLines(home->filePath("rapport.doc")), numbered) << "one number: the whole report";
        }
        return out;
    }
    Outcome run(const QStringList& rows, bool checkFirst = true) {
        newHome(checkFirst);
        return runMacro(writeMacro(rows));
    }

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<platform::Platform> x11;
};

}  // namespace desktoptest
