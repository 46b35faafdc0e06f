// The helper library's keyboard, mouse, window, file and key-name services,
// on the fake desktop.
#include "core/Unit1.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "platform/fake/FakePlatform.h"

#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTextEdit>
#include <unistd.h>

using namespace mdlfnct;
using namespace platform;

namespace {

class MdlfnctDesktop : public MainWindowTest {
protected:
    FakePlatform& fake() { return static_cast<FakePlatform&>(desktop()); }
    // The keys pressed and released, as "+0x41" / "-0x41".
    QStringList keyTrail() {
        QStringList out;
        for (const QString& call : fake().calls) {
            const QStringList f = call.split(u' ');
            if (f[0] != "keybd_event") continue;
            out << ((f[3].toUInt(nullptr, 16) & KEYEVENTF_KEYUP) ? "-" : "+") + f[1];
        }
        return out;
    }
};

TEST_F(MdlfnctDesktop, EveryKeyPressedIsReleased) {
    struct Case {
        const char* name;
        std::function<void()> type;
        bool capsLock;
        QStringList trail;
    };
    const std::vector<Case> cases = {
        {"plain", [] { TypeVkScan(0x0041); }, false, {"+0x41", "-0x41"}},
        {"plain, Caps Lock", [] { TypeVkScan(0x0041); }, true, {"+0xa0", "+0x41", "-0x41", "-0xa0"}},
        {"shift", [] { TypeVkScan(0x0141); }, false, {"+0xa0", "+0x41", "-0x41", "-0xa0"}},
        {"shift, Caps Lock", [] { TypeVkScan(0x0141); }, true, {"+0x41", "-0x41"}},
        {"ctrl", [] { TypeVkScan(0x0243); }, false, {"+0x11", "+0x43", "-0x43", "-0x11"}},
        {"alt", [] { TypeVkScan(0x0446); }, false, {"+0x12", "+0x46", "-0x46", "-0x12"}},
        {"altgr", [] { TypeVkScan(0x0632); }, false, {"+0x11", "+0x12", "+0x32", "-0x32", "-0x12", "-0x11"}},
        {"state 3 types nothing", [] { TypeVkScan(0x0341); }, false, {}},
        {"state 5 types nothing", [] { TypeVkScan(0x0541); }, false, {}},
        {"key event", [] { KeyEvent(VK_RETURN, true); KeyEvent(VK_RETURN, false); }, false, {"+0xd", "-0xd"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake().calls.clear();
        fake().keysToggled.clear();
        if (c.capsLock) fake().keysToggled.insert(VK_CAPITAL);
        c.type();
        EXPECT_EQ(keyTrail(), c.trail);
        EXPECT_TRUE(fake().keysDown.isEmpty());
    }
}

TEST_F(MdlfnctDesktop, KeyEventFlags) {
    KeyEvent(VK_SHIFT, true);
    KeyEvent(VK_SHIFT, false);
    KeyEvent(VK_DELETE, true);
    KeyEvent(VK_DELETE, false);
    const QStringList calls = fake().calls;
    ASSERT_EQ(calls.size(), 4);
    EXPECT_EQ(calls[0], "keybd_event 0x10 0 0x0");
    EXPECT_EQ(calls[1], "keybd_event 0x10 0 0x2");
    const unsigned scan = desktop().MapVirtualKey(VK_DELETE, 0);
    EXPECT_EQ(calls[2], QStringLiteral("keybd_event 0x2e %1 0x1").arg(scan));
    EXPECT_EQ(calls[3], QStringLiteral("keybd_event 0x2e %1 0x3").arg(scan));
}

TEST_F(MdlfnctDesktop, MouseMoveAbsolute) {
    fake().screenSize = QSize(1000, 500);
    EXPECT_TRUE(MouseMoveAbsolute(500, 250));
    EXPECT_EQ(fake().calls.last(), "mouse_event 0x8001 32767 32767 0");
}

TEST_F(MdlfnctDesktop, Windows) {
    fake().windows = {{10, "Top", "Fenêtre", {}, 0, qint64(getpid())}, {11, "Child", "", {}, 10, 0},
                      {12, "GrandChild", "x", {}, 11, 0}};
    EXPECT_EQ(GetTopParentWindow(12), 10u);
    EXPECT_EQ(GetTopParentWindow(10), 10u);
    EXPECT_EQ(GetWindowClass(11), "Child");
    EXPECT_EQ(GetWindowCaption(10), "Fenêtre");
    EXPECT_EQ(GetWindowExeName(12), "unit_tests");
    EXPECT_EQ(GetWindowExeName(99), "");
    EXPECT_TRUE(ForceForegroundWindow(12));
    EXPECT_EQ(fake().foreground, 10u);
    EXPECT_FALSE(ForceForegroundWindow(0));
}

TEST_F(MdlfnctDesktop, FileSignatures) {
    const std::vector<std::pair<QByteArray, int>> cases = {
        {"\xEF\xBB\xBF" "abc", 1}, {"\xFF\xFE" "a", 2}, {"\xFE\xFF", 3}, {"{\\rtf1", 4}, {"\xD0\xCF\x11\xE0", 5},
        {"abc", 0}, {"", 0}, {"a", 0},
    };
    for (const auto& [bytes, kind] : cases) {
        QFile f(home.filePath("sig"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        EXPECT_EQ(DetectFileEncoding(f.fileName()), kind) << bytes.toHex().toStdString();
    }
    EXPECT_EQ(DetectFileEncoding(home.filePath("absent")), -1);
}

TEST_F(MdlfnctDesktop, FileDates) {
    QFile f(home.filePath("date.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QDateTime when(QDate(2020, 3, 1), QTime(12, 0, 1));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
    f.close();
    EXPECT_DOUBLE_EQ(FileModifiedDate(home.filePath("date.txt")), 43891.5 + 1.0 / 86400);
    EXPECT_DOUBLE_EQ(FileModifiedDate(home.filePath("d*.txt")), 43891.5 + 1.0 / 86400);
    EXPECT_DOUBLE_EQ(FileDate(home.filePath("date.txt")), 43891.5);  // two-second steps
    EXPECT_EQ(FileModifiedDate(home.filePath("none*.txt")), 0);
    EXPECT_EQ(DateTimePart("Année", when), "2020");
    EXPECT_EQ(DateTimePart("Mois", when), "03");
    EXPECT_EQ(DateTimePart("Seconde", when), "01");
    EXPECT_EQ(DateTimePart("Autre", when), "");
}

TEST_F(MdlfnctDesktop, Listings) {
    QDir dir(home.path());
    ASSERT_TRUE(dir.mkpath("l/sub"));
    for (const QString name : {"l/a.txt", "l/b.log", "l/.cachée.txt", "l/sub/c.txt"}) {
        QFile f(home.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QStringList list{"vieux"};
    ListFilesByMasks(home.filePath("l/"), "*.txt;*.log", 0, list);
    EXPECT_EQ(list, QStringList({home.filePath("l/a.txt"), home.filePath("l/b.log")}));
    ListFilesByMasks(home.filePath("l"), "*.txt", 2, list);
    EXPECT_EQ(list, QStringList({home.filePath("l/.cachée.txt"), home.filePath("l/a.txt")}));
    const QString out = home.filePath("liste.txt");
    FindFilesRecursive(0, home.filePath("l"), "*.txt", out, true, 0);
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_EQ(QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts),
              QStringList({home.filePath("l/a.txt"), home.filePath("l/sub/c.txt")}));
}

TEST_F(MdlfnctDesktop, DiskInfo) {
    EXPECT_EQ(DiskInfo("/", 0), "Fixed Disk") << "the root of a test machine is a fixed disk";
    bool ok = false;
    EXPECT_GT(DiskInfo("/", 1).toDouble(&ok), 0);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(DiskInfo("/", 2).contains('.'));
    EXPECT_EQ(DiskInfo("/", 7), "");
    EXPECT_EQ(DiskInfo("", 0), "");
    EXPECT_TRUE(form->RichEdit1->toPlainText().contains("Lettre de lecteur invalide."));
}

TEST_F(MdlfnctDesktop, PowerStateGoesThroughTheDesktop) {
    EXPECT_TRUE(SetPowerState(true, true));
    EXPECT_EQ(fake().calls.last(), "SetSystemPowerState 1 1");
}

}  // namespace
