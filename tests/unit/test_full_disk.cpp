// Saves onto a full disk keep the old files and say why. The disk is a
// 64 KiB file system filled to its last byte, mounted in a private mount
// namespace of a child run of this test, so nothing outside sees it. Where no
// private mount can be made, a file-size limit makes the writes fail alike.
#include "core/CplBrd.h"
#include "core/MacroFile.h"
#include "tests/unit/test_macrofile_support.h"
#include "tools/Unit19.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr const char* kSmallDisk = "ORVANEL_SMALL_DISK";

class FullDisk : public FilesTest {
protected:
    void TearDown() override {
        freeDisk();
        FilesTest::TearDown();
    }
    static bool onSmallDisk() { return qEnvironmentVariableIsSet(kSmallDisk); }

    // Runs this test again in a child that has the small disk; false when no
    // private mount can be made here.
    bool runOnSmallDisk() {
        const QString disk = path("disque");
        EXPECT_TRUE(QDir().mkpath(disk));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kSmallDisk, disk);
        env.insert("TMPDIR", disk);  // the child's own folders are on it
        env.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        const QString test = QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name());
        child.start("unshare", {"-rm", "sh", "-c", "mount -t tmpfs -o size=64k orvanel \"$0\" && exec \"$@\"", disk,
                                QCoreApplication::applicationFilePath(), "--gtest_filter=FullDisk." + test});
        if (!child.waitForFinished(120000)) return false;
        const QString out = QString::fromLocal8Bit(child.readAll());
        if (!out.contains("[ RUN      ]")) return false;
        EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
        return true;
    }

    // From here on writes fail; answers the system's reason they give.
    QString fillDisk() {
        if (!onSmallDisk()) {
            std::signal(SIGXFSZ, SIG_IGN);
            getrlimit(RLIMIT_FSIZE, &limit_);
            rlimit tight = limit_;
            tight.rlim_cur = 64;
            limited_ = setrlimit(RLIMIT_FSIZE, &tight) == 0;
            return QString::fromLocal8Bit(std::strerror(EFBIG));
        }
        const int fd = ::open(QFile::encodeName(path("remplissage")).constData(), O_WRONLY | O_CREAT, 0600);
        const QByteArray block(4096, 'x');
        for (qsizetype size = block.size(); size > 0; size /= 2)
            while (::write(fd, block.constData(), size_t(size)) == size) {}
        ::close(fd);
        return QString::fromLocal8Bit(std::strerror(ENOSPC));
    }
    void freeDisk() {
        if (limited_) setrlimit(RLIMIT_FSIZE, &limit_);
        limited_ = false;
    }

    QStringList files() const { return QDir(home.path()).entryList(QDir::Files, QDir::Name); }

private:
    rlimit limit_{};
    bool limited_ = false;
};

QVector<QPair<QString, QString>> typeRows(int count) {
    QVector<QPair<QString, QString>> rows;
    for (int i = 0; i < count; ++i) rows.append({"Type", QStringLiteral("Ligne %1;").arg(i)});
    return rows;
}

TEST_F(FullDisk, SavesKeepTheOldFilesAndSayWhy) {
    if (!onSmallDisk() && runOnSmallDisk()) return;
    const QString config = path("config.ini");
    const QString macro = path("m.mcr");
    setRows(typeRows(20));
    saveAs(macro);
    Form19->Button1Click();  // "Valider": every setting in the file
    CplBrd::CopyRows(form->ListView1, {0});
    const QByteArray oldMacro = readFile(macro), oldConfig = readFile(config),
                     oldClipboard = readFile(CplBrd::ClipboardFileName());
    ASSERT_EQ(oldMacro.size(), 20 * 277);
    ASSERT_FALSE(oldConfig.isEmpty());
    ASSERT_EQ(oldClipboard.size(), 277);
    const QStringList before = files();
    messages.shown.clear();

    const QString reason = fillDisk();
    setRows(typeRows(10));
    OpenMacroFile().modified = true;
    saveAs(macro);
    const bool stillModified = OpenMacroFile().modified;
    const QStringList afterSave = messageTexts();
    messages.shown.clear();
    saveAs(path("n.mcr"));  // a new name goes to the recent files first
    const QStringList afterNewName = messageTexts();
    messages.shown.clear();
    Form19->CheckBox5->setChecked(!Form19->CheckBox5->isChecked());  // "Rapport"
    Form19->Button1Click();
    const QStringList afterValider = messageTexts();
    messages.shown.clear();
    CplBrd::CopyRows(form->ListView1, {1});
    const QStringList afterCopy = messageTexts();
    freeDisk();

    const QString kept = QStringLiteral(" (%1). Le fichier existant n'a pas été modifié.").arg(reason);
    EXPECT_EQ(afterSave, QStringList({"Impossible d'enregistrer le fichier " + macro + kept}));
    EXPECT_TRUE(stillModified);
    EXPECT_EQ(afterNewName, QStringList({"Impossible d'enregistrer le fichier " + config + kept,
                                         "Impossible d'enregistrer le fichier " + path("n.mcr") + " (" + reason +
                                             ")."}));
    EXPECT_EQ(afterValider, QStringList({"Impossible d'enregistrer le fichier " + config + kept}));
    EXPECT_EQ(afterCopy, QStringList({"Impossible d'enregistrer le fichier " + CplBrd::ClipboardFileName() + kept}));
    EXPECT_EQ(readFile(macro), oldMacro);
    EXPECT_EQ(readFile(config), oldConfig);
    EXPECT_EQ(readFile(CplBrd::ClipboardFileName()), oldClipboard);
    QStringList after = files();
    after.removeOne("remplissage");
    EXPECT_EQ(after, before);  // no temporary file left
}

}  // namespace
