// Files replaced in one step: who may read them afterwards, and the
// temporary files a save killed half-way leaves, known by their name and
// removed once their process is gone.
#include "platform/AtomicFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kSaveToKill = "ORVANEL_SAVE_TO_KILL";

mode_t modeOf(const QString& path) {
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// The number of a process that has ended.
qint64 endedProcess() {
    QProcess p;
    p.start("sh", {"-c", "echo $$"});
    p.waitForFinished();
    return p.readAllStandardOutput().trimmed().toLongLong();
}

class AtomicFile : public ::testing::Test {
protected:
    QString file(const QString& name) const { return dir.filePath(name); }
    QStringList names() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    QTemporaryDir dir;
};

TEST_F(AtomicFile, PermissionsAreKeptOrMadePrivate) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct Case {
        const char* name;
        mode_t before;  // 0: no file yet
        platform::FileAccess access;
        mode_t after;
    };
    const Case cases[] = {
        {"new file", 0, platform::FileAccess::Kept, mode_t(0666 & ~mask)},
        {"existing file", 0640, platform::FileAccess::Kept, 0640},
        {"new private file", 0, platform::FileAccess::OwnerOnly, 0600},
        {"existing file made private", 0644, platform::FileAccess::OwnerOnly, 0600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = file(c.name);
        if (c.before) {
            ASSERT_TRUE(platform::WriteFileAtomically(path, "avant"));
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), c.before), 0);
        }
        ASSERT_TRUE(platform::WriteFileAtomically(path, "après", nullptr, c.access));
        EXPECT_EQ(modeOf(path), c.after);
        EXPECT_EQ(ReadBytes(path), "après");
    }
    // Through a link, the file it names is replaced; the link stays.
    ASSERT_TRUE(QFile::link(file("new file"), file("lien")));
    ASSERT_TRUE(platform::WriteFileAtomically(file("lien"), "par le lien"));
    EXPECT_TRUE(QFileInfo(file("lien")).isSymLink());
    EXPECT_EQ(ReadBytes(file("new file")), "par le lien");
    QString error;
    EXPECT_FALSE(platform::WriteFileAtomically(file("absent/x"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(names().filter(".orvanel-tmp."), QStringList());
}

// A save killed between its write and its rename leaves its temporary file,
// named after the target and the process; the next start removes it, never
// one of a save still going on.
TEST_F(AtomicFile, AKilledSaveLeavesAKnownFileThatTheNextStartRemoves) {
    if (const QByteArray target = qgetenv(kSaveToKill); !target.isEmpty()) {
        platform::WriteFileAtomically(QString::fromLocal8Bit(target), [](int fd) {
            [[maybe_unused]] const ssize_t n = ::write(fd, "moitié", 7);
            std::puts("ÉCRITURE EN COURS");
            std::fflush(stdout);
            ::pause();  // killed here
            return true;
        });
        return;
    }
    const QString config = file("config.ini");
    ASSERT_TRUE(platform::WriteFileAtomically(config, "[ancien]\r\n"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kSaveToKill, config);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=AtomicFile.AKilledSaveLeavesAKnownFileThatTheNextStartRemoves"});
    QByteArray out;
    while (!out.contains("ÉCRITURE EN COURS") && child.waitForReadyRead(20000)) out += child.readAllStandardOutput();
    ASSERT_TRUE(out.contains("ÉCRITURE EN COURS")) << out.toStdString();
    const qint64 killed = child.processId();
    child.kill();
    child.waitForFinished();

    const QString stray = names().filter("config.ini.orvanel-tmp." + QString::number(killed) + ".").value(0);
    ASSERT_FALSE(stray.isEmpty()) << names().join(' ').toStdString();
    EXPECT_EQ(ReadBytes(config), "[ancien]\r\n");
    // Another one of a process that has ended, one of a process still running.
    const QString ended = "m.mcr.orvanel-tmp." + QString::number(endedProcess()) + ".aB3dE9";
    const QString running = "m.mcr.orvanel-tmp." + QString::number(::getppid()) + ".aB3dE9";
    for (const QString& name : {ended, running, QString("m.mcr.orvanel-tmp.abc.x")})
        ASSERT_TRUE(platform::WriteFileAtomically(file(name), "x"));
    EXPECT_EQ(platform::RemoveStrayTemporaryFiles(dir.path()), 2);
    EXPECT_EQ(names(), QStringList({"config.ini", running, "m.mcr.orvanel-tmp.abc.x"}));
}

}  // namespace
