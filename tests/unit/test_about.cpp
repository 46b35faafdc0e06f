// The About box: loads and memory from files laid out as /proc lays them
// out, the bars inside their frame, and the priority as the system applies it.
#include "core/BuildInfo.h"
#include "core/MessageTexts.h"
#include "core/ProcessPriority.h"
#include "core/Startup.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/TestSupport.h"
#include "tools/ModuleSup.h"
#include "tools/Unit23.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QRegularExpression>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class AboutTest : public MainWindowTest {
protected:
    platform::FakePlatform& desk() { return static_cast<platform::FakePlatform&>(platform::desktop()); }
    QString write(const QString& name, const QByteArray& bytes) {
        WriteBytes(home.filePath(name), bytes);
        return home.filePath(name);
    }
};

TEST_F(AboutTest, BarsAndTextsFollowTheMachine) {
    // 376 busy ticks of 1000; this process counts 2000, more than the machine.
    Form23->ProcStat = write("stat", "cpu  300 6 70 600 24 0 0 0 0 0\ncpu0 1 1 1 1 1 0 0 0 0 0\n");
    Form23->OwnStat = write("self", "4242 (orv an) el) S 1 1 1 0 -1 0 0 0 0 0 1500 500 0 0 20 0 1 0\n");
    Form23->MemInfo = write("meminfo", "MemTotal:        8388608 kB\nMemFree:  1 kB\nMemAvailable:    2097152 kB\n");
    Form23->Timer1Timer();
    EXPECT_EQ(Form23->Bevel2->width(), 250);
    EXPECT_EQ(Form23->Shape5->width(), 76);   // 38 × (250 div 100)
    EXPECT_EQ(Form23->Shape4->width(), 200);  // at most full scale, inside the frame
    EXPECT_EQ(Form23->Label16->text(), "Utilisation CPU 37.60% - Orvanel CPU 100.00%");
    EXPECT_EQ(Form23->Label10->text(), "Mémoire physique 75 %");
    EXPECT_EQ(Form23->Label11->text(), "Total " + QLocale(QLocale::French).toString(8388608) + " Ko");
    EXPECT_EQ(Form23->Label12->text(), "Disponible " + QLocale(QLocale::French).toString(2097152) + " Ko");
}

// The program's icon, name, version and day of the build, a labelled
// priority list and a button that closes the box.
TEST_F(AboutTest, TheBoxSaysWhatProgramItIsAndCloses) {
    QPixmap picture(32, 32);
    picture.fill(Qt::darkCyan);
    const QIcon before = QApplication::windowIcon();
    QApplication::setWindowIcon(QIcon(picture));
    Form23->show();
    QApplication::setWindowIcon(before);
    EXPECT_FALSE(Form23->Image1->pixmap().isNull());
    EXPECT_EQ(Form23->Label1->text(), "Orvanel");
    EXPECT_EQ(Form23->Label15->text(), "Version " + ProgramVersionText());
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d+").match(ProgramVersionText()).hasMatch()) << ProgramVersionText().toStdString();
    EXPECT_EQ(Form23->Label3->text(), "Dernière mise à jour : " + ProgramBuildDate());
    EXPECT_TRUE(QDate::fromString(ProgramBuildDate(), "dd/MM/yy").isValid()) << ProgramBuildDate().toStdString();
    EXPECT_EQ(Form23->Label17->buddy(), Form23->ComboBox1);
    EXPECT_FALSE(Form23->Label17->text().isEmpty());
    Form23->Button1->click();
    EXPECT_FALSE(Form23->isVisible());
}

// The box's texts come from the language file.
TEST_F(AboutTest, TheLanguageFileGivesTheBoxItsTexts) {
    WriteBytes(home.filePath("Test.lng"), "[Form23]\r\nLng_LastUpdate=Last update: \r\nLng_Memory=Physical memory %d\r\n"
                                          "Lng_TotalMemory=Total %.0n KB\r\nLng_Version=Version %s of the program\r\n"
                                          "Lng_UsedCpu=CPU load %5.2f%%\r\nButton1=Close\r\nLabel17=Priority:\r\n");
    LoadLanguageFile("Test");
    Form23->MemInfo = write("meminfo", "MemTotal:        8388608 kB\nMemAvailable:    2097152 kB\n");
    Form23->show();
    EXPECT_EQ(Form23->Label3->text(), "Last update: " + ProgramBuildDate());
    EXPECT_EQ(Form23->Label15->text(), "Version " + ProgramVersionText() + " of the program");
    EXPECT_EQ(Form23->Label10->text(), "Physical memory 75 %");
    EXPECT_TRUE(Form23->Label11->text().endsWith(" KB"));
    EXPECT_TRUE(Form23->Label16->text().startsWith("CPU load "));
    EXPECT_EQ(Form23->Button1->text(), "Close");
    EXPECT_EQ(Form23->Label17->text(), "Priority:");
    Form23->close();
    ResetMessageTexts();
}

TEST_F(AboutTest, TheListShowsTheSchedulingReadBack) {
    struct Case {
        platform::ProcessScheduling scheduling;
        const char* shown;
    };
    const Case cases[] = {{{true, 0}, "Temps réel"}, {{false, -10}, "Haute"}, {{false, 0}, "Normale"},
                          {{false, 19}, "Basse"},    {{false, 5}, "Basse"}};  // another value keeps the selection
    for (const Case& c : cases) {
        desk().scheduling = c.scheduling;
        Form23->show();
        EXPECT_EQ(Form23->ComboBox1->currentText(), QString::fromUtf8(c.shown));
        Form23->hide();
    }
}

TEST_F(AboutTest, AtStartUpALowerPriorityIsLeftAlone) {
    desk().nices.clear();
    desk().scheduling = {false, 10};
    StartWithNormalPriority();
    desk().scheduling = {false, -10};
    StartWithNormalPriority();
    EXPECT_EQ(desk().nices, QVector<int>({0}));
    EXPECT_EQ(messages.texts(), QStringList());
}

// The system's own answer, in a child process without privileges: ps and
// chrt read back what it was given.
TEST(ProcessScheduling, TheSystemAppliesIt) {
    auto inChild = [](const platform::ProcessScheduling& s, const QStringList& command) {
        int toParent[2], toChild[2];
        EXPECT_EQ(pipe(toParent), 0);
        EXPECT_EQ(pipe(toChild), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            if (getuid() == 0 && setresuid(65534, 65534, 65534) != 0) _exit(3);
            platform::FakePlatform real;
            const int error = real.platform::Platform::SetProcessScheduling(s);
            (void)!::write(toParent[1], &error, sizeof error);
            char done;
            (void)!::read(toChild[0], &done, 1);
            _exit(0);
        }
        int error = -1;
        EXPECT_EQ(::read(toParent[0], &error, sizeof error), ssize_t(sizeof error));
        QProcess p;
        p.start(command.first(), command.mid(1) + QStringList{QString::number(pid)});
        p.waitForFinished(10000);
        const QString answer = QString::fromUtf8(p.readAllStandardOutput()).simplified();
        (void)!::write(toChild[1], "x", 1);
        int status = 0;
        waitpid(pid, &status, 0);
        for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) close(fd);
        return std::pair{error, answer};
    };
    const auto [lowered, nice] = inChild({false, 19}, {"ps", "-o", "ni=", "-p"});
    EXPECT_EQ(lowered, 0);
    EXPECT_EQ(nice, "19");
    const auto [refused, policy] = inChild({true, 0}, {"chrt", "-p"});
    EXPECT_EQ(refused, EPERM);
    EXPECT_TRUE(policy.contains("SCHED_OTHER")) << policy.toStdString();
    const auto [raised, highPolicy] = inChild({false, -10}, {"chrt", "-p"});
    EXPECT_NE(raised, 0);  // a raise needs the privilege
    EXPECT_TRUE(highPolicy.contains("SCHED_OTHER")) << highPolicy.toStdString();
}

}  // namespace
