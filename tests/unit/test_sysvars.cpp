// System variables, their list window, key names and the machine status they read.
#include "editors/Unit28.h"
#include "core/Settings.h"
#include "core/Form.h"
#include "core/Unit1.h"
#include "core/Unit29.h"
#include "core/Variables.h"
#include "editors/Unit4.h"
#include "engine/SysVars.h"
#include "engine/Unit20.h"
#include "platform/Platform.h"
#include "platform/SystemStatus.h"
#include "platform/VirtualKeys.h"
#include "platform/fake/FakePlatform.h"
#include "tools/Unit19.h"

#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFontInfo>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QThread>
#include <QTreeWidget>

namespace {

platform::FakePlatform& fake() { return static_cast<platform::FakePlatform&>(platform::desktop()); }

class SysVars : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Variables().Clear();
        BuildSystemVariableList();
    }
    QString read(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
    void write(const QString& name, const QString& value) { form->WriteVariable("VAR", name, value); }
};

TEST_F(SysVars, TableHasThe33NamesInOrder) {
    ASSERT_EQ(TListOfSysVar.size(), 33);
    EXPECT_EQ(TListOfSysVar[0].Name, "[WINVER]");
    EXPECT_EQ(TListOfSysVar[26].Name, "[PROCESSOR.PERCENT]");
    EXPECT_EQ(TListOfSysVar[32].Name, "[EVENT.KEY]");
    for (const TSysVar& v : std::as_const(TListOfSysVar)) EXPECT_FALSE(v.Description.isEmpty()) << v.Name.toStdString();
    EXPECT_EQ(SystemVariableIndex("[mouse.x]"), -1) << "names are case-sensitive";
}

TEST_F(SysVars, LiveValuesFollowTheDesktop) {
    fake().cursor = {12, 34};
    EXPECT_EQ(read("[MOUSE.X]"), "12");
    fake().cursor = {56, 78};
    EXPECT_EQ(read("[MOUSE.X]"), "56") << "computed again on each read";
    EXPECT_EQ(read("[MOUSE.Y]"), "78");
    EXPECT_EQ(read("[SCREEN.X]"), "1024");
    EXPECT_EQ(read("[SCREEN.Y]"), "768");
    EXPECT_EQ(read("[NUMLOCK]"), "0");
    fake().keysToggled.insert(platform::VK_NUMLOCK);
    EXPECT_EQ(read("[NUMLOCK]"), "1");
    EXPECT_EQ(read("[VK_ENTER]"), "\r");
    settings().GeneralTime = "250";
    EXPECT_EQ(read("[DELAY]"), "250");
    EXPECT_EQ(read("[SYSDIR.CURRENT]"), QDir::currentPath());
    EXPECT_EQ(read("[SYSDIR.CURRENTMACRO]"), "") << "no macro file open";
    EXPECT_TRUE(QRegularExpression("^ ?\\d{1,3}\\.\\d\\d%$").match(read("[PROCESSOR.PERCENT]")).hasMatch());
}

TEST_F(SysVars, WritesAndTheirSideEffects) {
    write("[CLIPBOARD]", "copié");
    EXPECT_EQ(fake().clipboard, "copié");
    EXPECT_EQ(read("[CLIPBOARD]"), "copié");
    write("[DELAY]", "40");
    EXPECT_EQ(settings().GeneralTime, "40");
    const QByteArray tmp = qgetenv("TMPDIR");
    write("[SYSDIR.TEMP]", "/tmp/orvanel-essai");
    EXPECT_EQ(qgetenv("TMPDIR"), "/tmp/orvanel-essai");
    EXPECT_EQ(read("[SYSDIR.TEMP]"), "/tmp/orvanel-essai");
    tmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmp);

    write("[PASSWORD]", "abc");
    EXPECT_EQ(read("[PASSWORD]"), "abc") << "stored variables keep the last value written";
    EXPECT_EQ(read("[ERROR.ADAPTATOR]"), "1") << "value at build before any write";

    EXPECT_FALSE(WriteSystemVariable("[SCREEN.X]", "5"));
    write("[SCREEN.X]", "5");
    EXPECT_EQ(read("[SCREEN.X]"), "1024") << "read-only: the write is refused";
    EXPECT_FALSE(WriteSystemVariable("[NOPE]", "1"));
    EXPECT_EQ(read("[NOPE]"), "?") << "not a system variable";
}

TEST_F(SysVars, ProgressOutOfRangeIsZeroAndDrivesItsWindow) {
    QWidget* window = Window(29);
    ASSERT_NE(window, nullptr);
    auto progress = [] { return TListOfSysVar[SystemVariableIndex("[PROGRESS]")].Value; };
    struct Case {
        QString written, value;
        bool visible;
    };
    const Case cases[] = {{"40", "40", true}, {"150", "0", true}, {"100", "100", true},
                          {"x", "100", true}, {"-5", "0", false}};
    for (const Case& c : cases) {
        write("[PROGRESS]", c.written);
        EXPECT_EQ(progress(), c.value) << c.written.toStdString();
        EXPECT_EQ(read("[PROGRESS]"), c.value);
        EXPECT_EQ(window->isVisible(), c.visible) << c.written.toStdString();
        if (c.written == u"150") {
            EXPECT_EQ(Form29->Label1->text(), "Progression à 0%");
            EXPECT_EQ(Form29->ProgressBar1->value(), 0);
        }
    }
}

TEST_F(SysVars, EventActivateSwitchesMonitoring) {
    QVector<bool> switched;
    write("[EVENT.ACTIVATE]", "1");
    switched << recorder::TEventWatch::Instance().Procedures;
    write("[EVENT.ACTIVATE]", "0");
    switched << recorder::TEventWatch::Instance().Procedures;
    EXPECT_EQ(switched, QVector<bool>({true, false}));
    EXPECT_EQ(read("[EVENT.ACTIVATE]"), "0");
}

TEST_F(SysVars, ListWindowListsDescribesAndSorts) {
    Form20->ShowList();
    QTreeWidget* list = Form20->ListView1;
    ASSERT_EQ(list->topLevelItemCount(), 33);
    EXPECT_EQ(list->topLevelItem(13)->text(0), "[SYSDIR.CURRENTMACRO]");
    EXPECT_EQ(list->topLevelItem(13)->text(3), "/") << "the root when no macro file is open";
    EXPECT_EQ(list->topLevelItem(7)->text(1), "Num");
    EXPECT_EQ(list->topLevelItem(7)->text(2), "0");

    list->setCurrentItem(list->topLevelItem(2));
    Form20->ListView1Click();
    EXPECT_EQ(Form20->Memo1->toPlainText(), "Valeur du presse-papier.");

    Form20->ListView1ColumnClick(0);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "[CAPITAL]");
    Form20->ListView1ColumnClick(0);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "[WINVER]");
}

// Double-click: the name, and as value the name itself when writable.
TEST_F(SysVars, ListWindowFillsTheVariableDialog) {
    QTreeWidget* list = Form20->ListView1;
    QWidget* dialog = Window(8);
    auto* edit1 = dialog ? dialog->findChild<QLineEdit*>("Edit1") : nullptr;
    auto* edit2 = dialog ? dialog->findChild<QLineEdit*>("Edit2") : nullptr;
    if (!edit1 || !edit2) GTEST_SKIP() << "the Variable dialog has no fields yet";
    struct Case {
        QString name, value;
    };
    for (const Case& c : {Case{"[DELAY]", "[DELAY]"}, Case{"[MOUSE.X]", "0"}, Case{"[WINVER]", ""}}) {
        Form20->ShowList();
        list->setCurrentItem(list->findItems(c.name, Qt::MatchExactly).value(0));
        Form20->ListView1DblClick();
        EXPECT_EQ(edit1->text(), c.name);
        EXPECT_EQ(edit2->text(), c.value);
        EXPECT_FALSE(Form20->isVisible());
    }
}

// /proc/stat and /sys/class/power_supply as the machine gives them.
class SystemStatus : public ::testing::Test {
protected:
    void writeFile(const QString& path, const QByteArray& text) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QTemporaryDir dir;
};

TEST_F(SystemStatus, ProcessorLoadCountsEveryProcessor) {
    const QString stat = dir.filePath("stat");
    writeFile(stat, "cpu  100 0 100 800 0 0 0 0 0 0\ncpu0 100 0 100 0 0 0 0 0 0 0\ncpu1 0 0 0 800 0 0 0 0 0 0\n");
    EXPECT_DOUBLE_EQ(platform::ProcessorLoad(stat), 20.0) << "first look: since the machine started";
    QThread::msleep(60);
    // Since then: 300 busy, 100 idle, 100 iowait, across both processors.
    writeFile(stat, "cpu  300 0 200 900 100 0 0 0 0 0\ncpu0 200 0 150 0 50 0 0 0 0 0\ncpu1 100 0 50 900 50 0 0 0 0 0\n");
    EXPECT_DOUBLE_EQ(platform::ProcessorLoad(stat), 60.0);
}

TEST_F(SystemStatus, PowerSupplies) {
    EXPECT_EQ(platform::BatteryPercent(dir.path()), -1) << "no battery";
    EXPECT_EQ(platform::PowerLineStatus(dir.path()), 255);
    writeFile(dir.filePath("AC/type"), "Mains\n");
    writeFile(dir.filePath("AC/online"), "0\n");
    writeFile(dir.filePath("BAT0/type"), "Battery\n");
    writeFile(dir.filePath("BAT0/capacity"), "87\n");
    EXPECT_EQ(platform::BatteryPercent(dir.path()), 87);
    EXPECT_EQ(platform::PowerLineStatus(dir.path()), 0);
    writeFile(dir.filePath("AC/online"), "1\n");
    EXPECT_EQ(platform::PowerLineStatus(dir.path()), 1);
}

// The disk of a folder comes from the mount that holds it, whatever the mount
// table lists: inside a chroot or a container the root is no mount point.
TEST_F(SystemStatus, DiskOfAFolderIsTheMountThatHoldsIt) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("clé usb/photos"));
    const QString table = dir.filePath("mounts");
    const QByteArray usb = QFile::encodeName(dir.filePath("clé usb")).replace(' ', "\\040");
    struct Case {
        QByteArray mounts;
        QString folder, fileSystem;
    };
    const Case cases[] = {
        {"/dev/sda1 / ext4 rw 0 0\n" + usb + " /dev/sdb1 vfat rw 0 0\n", "/", "ext4"},
        {"/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 " + usb + " vfat rw 0 0\n", dir.filePath("clé usb/photos"), "vfat"},
        {"/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 " + usb + "x vfat rw 0 0\n", dir.filePath("clé usb"), "ext4"},
        {"overlay /other overlay rw 0 0\n", "/", ""},  // a chroot: its root is not listed
        {"", "/", ""},
    };
    for (const Case& c : cases) {
        writeFile(table, c.mounts);
        const platform::DiskStatus disk = platform::DiskOf(c.folder, table);
        EXPECT_TRUE(disk.exists) << c.folder.toStdString();
        EXPECT_EQ(disk.fileSystemType, c.fileSystem) << c.mounts.toStdString();
        EXPECT_GT(disk.bytesTotal, 0);
    }
    EXPECT_FALSE(platform::DiskOf(dir.filePath("absent"), table).exists);
    EXPECT_FALSE(platform::DiskOf(dir.filePath("absent"), dir.filePath("no table")).exists);
    EXPECT_TRUE(platform::DiskOf("/", dir.filePath("no table")).exists);
}

TEST(KeyNames, FrenchUnlessAnEnglishKeyboardIsChosen) {
    platform::FakePlatform desk;
    struct Case {
        int scan;
        bool extended;
        const char* fr;
        const char* us;
    };
    const Case cases[] = {
        {29, false, "Ctrl", "Ctrl"},    {56, false, "Alt", "Alt"},           {83, true, "Suppr", "Delete"},
        {42, false, "Maj", "Shift"},    {1, false, "Échap", "Esc"},          {16, false, "A", "Q"},
        {3, false, "É", "2"},           {26, false, "^", "["},               {57, false, "Espace", "Space"},
        {82, false, "0 (pavé num.)", "Num 0"}, {28, true, "Entrée (pavé num.)", "Num Enter"}, {99, false, "", ""},
    };
    for (const char* layout : {"fr", "us"}) {
        desk.LoadKeyboardLayout(layout);
        for (const Case& c : cases)
            EXPECT_EQ(desk.GetKeyNameText(c.scan, c.extended), QString::fromUtf8(layout[0] == 'f' ? c.fr : c.us))
                << layout << " scan " << c.scan;
    }
}

TEST(KeyNames, VirtualKeysFollowTheLayoutForLetters) {
    platform::FakePlatform desk;
    desk.LoadKeyboardLayout("fr");
    EXPECT_EQ(desk.MapVirtualKey(16, 1), unsigned('A'));
    EXPECT_EQ(desk.MapVirtualKey('A', 0), 16u);
    EXPECT_EQ(desk.MapVirtualKey(2, 1), unsigned('1'));
    EXPECT_EQ(desk.MapVirtualKey('1', 0), 2u);
    EXPECT_EQ(desk.MapVirtualKey(29, 1), unsigned(platform::VK_CONTROL));
    desk.LoadKeyboardLayout("us");
    EXPECT_EQ(desk.MapVirtualKey(16, 1), unsigned('Q'));
    EXPECT_EQ(desk.MapVirtualKey(platform::VK_RSHIFT, 0), 54u);
    for (unsigned scan : {1u, 14u, 57u, 58u, 69u, 70u, 84u, 86u, 87u, 88u, 91u, 92u, 93u})
        EXPECT_NE(desk.MapVirtualKey(scan, 1), 0u) << scan;
}

TEST_F(SysVars, KeyboardDialogNamesItsKeys) {
    int keys = 0;
    for (int n = 1; n <= 110; ++n) keys += Form4->SpeedButton(n) != nullptr;
    EXPECT_EQ(keys, 104);
    struct Case {
        int button;
        const char* name;
        int tag;
    };
    for (const Case& c : {Case{2, "Ctrl", 29}, Case{1, "Alt", 56}, Case{103, "Suppr", 183}, Case{70, "Échap", 1},
                          Case{32, "A", 16}, Case{68, "&", 2}}) {
        TKeyButton* key = Form4->SpeedButton(c.button);
        ASSERT_NE(key, nullptr) << c.button;
        EXPECT_EQ(key->text(), QString::fromUtf8(c.name));
        EXPECT_EQ(key->toolTip(), QString::fromUtf8(c.name));
        EXPECT_EQ(key->Tag(), c.tag);
    }
    EXPECT_EQ(Form4->SpeedButton(103)->Caption(), "Suppr") << "23 pixels wide: the whole name shown";
}

TEST_F(SysVars, EveryKeyShowsItsWholeCaptionInsideIt) {
    for (const char* layout : {"fr", "us"}) {
        fake().LoadKeyboardLayout(layout);
        Form4->UpdateKeyBoard();
        const QFontInfo keyFont(Form4->SpeedButton(32)->font());
        for (int n = 1; n <= 110; ++n) {
            TKeyButton* key = Form4->SpeedButton(n);
            if (!key) continue;
            EXPECT_TRUE(key->rect().contains(key->CaptionBounds())) << layout << " " << key->text().toStdString();
            EXPECT_FALSE(key->Caption().isEmpty()) << n;
        }
        // A short name keeps the key's font; a long one is made smaller, never cut.
        EXPECT_EQ(QFontInfo(Form4->SpeedButton(32)->CaptionFont()).pixelSize(), keyFont.pixelSize()) << "A";
        EXPECT_LT(QFontInfo(Form4->SpeedButton(103)->CaptionFont()).pixelSize(), keyFont.pixelSize()) << "Suppr";
    }
    // The keypad's keys leave the keypad's mark to their place; the name stays whole in the hint.
    struct Case {
        const char* layout;
        int button;
        const char* name;
        const char* caption;
    };
    for (const Case& c : {Case{"fr", 88, "7 (pavé num.)", "7"}, Case{"fr", 92, "0 (pavé num.)", "0"},
                          Case{"fr", 87, "Entrée (pavé num.)", "Entrée"}, Case{"fr", 81, "/ (pavé num.)", "/"},
                          Case{"fr", 80, "Verr. num", "Verr. num"}, Case{"us", 88, "Num 7", "7"},
                          Case{"us", 87, "Num Enter", "Enter"}, Case{"us", 80, "Num Lock", "Num Lock"},
                          Case{"us", 103, "Delete", "Delete"}}) {
        fake().LoadKeyboardLayout(c.layout);
        Form4->UpdateKeyBoard();
        TKeyButton* key = Form4->SpeedButton(c.button);
        EXPECT_EQ(key->Hint(), QString::fromUtf8(c.name));
        EXPECT_EQ(key->Caption(), QString::fromUtf8(c.caption)) << c.name;
    }
    fake().LoadKeyboardLayout("fr");
    Form4->UpdateKeyBoard();
}

}  // namespace
