// Global hotkeys on the fake desktop: what the manager registers, what the
// settings register, and what each press does.
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "engine/HotKeyManager.h"
#include "platform/ProgramMessages.h"
#include "platform/VirtualKeys.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"
#include "tests/unit/RunFixture.h"
#include "tools/Unit19.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

namespace {

using platform::FakePlatform;
using namespace platform;

FakePlatform& fake() { return static_cast<FakePlatform&>(desktop()); }
constexpr uint8_t VK_F2 = VK_F1 + 1;

struct Listener : THotKeyListener {
    QStringList heard;
    bool HotKeyPressed(quint32 hotKey) override {
        heard << QStringLiteral("pressed %1").arg(hotKey, 0, 16);
        return true;
    }
    void LockStateChanged(uint8_t vk, bool on) override { heard << QStringLiteral("lock %1 %2").arg(vk).arg(on); }
    void BeforeScreenCopy() override { heard << QStringLiteral("copy %1").arg(fake().calls.size()); }
};

class HotKeyTest : public RunFixture {
protected:
    void SetUp() override {
        RunFixture::SetUp();
        settings().GeneralActive = false;
        HotKeyManager1->AddListener(&listener);
        // The questions show the caption they are asked under.
        testServices().onMessage = [this](const MessageRequest& r) {
            messages.shown << r;
            captions << form->windowTitle();
            return answer;
        };
    }
    // Runs rows; `press` comes once the run is under way.
    void runWith(const QVector<QPair<QString, QString>>& rows, unsigned modifiers, uint8_t vk) {
        setRows(rows);
        QTimer::singleShot(100, [=] { EXPECT_TRUE(fake().PressHotKey(modifiers, vk)); });
        run();
    }
    Listener listener;
    QStringList captions;
    int answer = mrYes;
};

TEST_F(HotKeyTest, ShortcutTextsAndHotKeyValues) {
    const struct {
        const char* text;
        quint32 value;
        unsigned modifiers;
    } cases[] = {
        {"Alt+F1", scAlt | VK_F1, MOD_ALT},
        {"Alt+F2", scAlt | VK_F2, MOD_ALT},
        {"Ctrl+Shift+A", scCtrl | scShift | 'A', MOD_CONTROL | MOD_SHIFT},
        {"Meta+Alt+F5", scWin | scAlt | (VK_F1 + 4u), MOD_WIN | MOD_ALT},
        {"Print", VK_SNAPSHOT, 0},
        {"Num+5", VK_NUMPAD0 + 5, 0},
        {"", 0, 0},
        {"Ctrl+", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToHotKey(c.text), c.value) << c.text;
        unsigned modifiers = 99;
        uint8_t key = 0;
        HotKeyToModifiers(c.value, modifiers, key);
        EXPECT_EQ(modifiers, c.modifiers) << c.text;
        EXPECT_EQ(key, c.value & 0xFF);
    }
    EXPECT_EQ(HotKeyToText(scAlt | VK_F2, true), "Alt+F2");
    EXPECT_EQ(HotKeyToText(scCtrl | scShift | VK_F1, false), "Ctrl+Shift+F1");
    EXPECT_EQ(HotKeyToText(scShift | VK_F1, true), "Maj+F1");
    EXPECT_EQ(HotKeyToText(VK_SNAPSHOT, true), "Impr. écran");
}

TEST_F(HotKeyTest, SettingsAndStartUpRegisterTheirKeys) {
    EXPECT_EQ(fake().hotKeys.values(), (QList<FakePlatform::HotKey>{{MOD_ALT, VK_F1}, {MOD_ALT, VK_F2}}));
    Services().RegisterStartupHotKeys();
    EXPECT_EQ(fake().hotKeys.size(), 4);
    EXPECT_TRUE(HotKeyManager1->Registered(VK_NUMLOCK));
    EXPECT_TRUE(HotKeyManager1->Registered(VK_SNAPSHOT));
    // Settings read again: the old keys are released before the new ones are taken.
    QFile config(home.filePath("config.ini"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("[Control]\r\nStopExecute=Ctrl+F12\r\n");
    config.close();
    fake().hotKeyCalls.clear();
    form->Nouveau1Click();
    EXPECT_EQ(fake().hotKeyCalls,
              QStringList({"UnregisterHotKey 0x1 0x70", "UnregisterHotKey 0x1 0x71", "RegisterHotKey 0x1 0x70",
                           "RegisterHotKey 0x2 0x7b"}));
    HotKeyManager1->ClearGlobalHotKeys();
    EXPECT_TRUE(fake().hotKeys.isEmpty());
}

// A program not ours holding the key is told once, however often the
// settings are loaded; another program of ours holding it is not: it passes
// the presses on.
TEST_F(HotKeyTest, AKeyAnotherProgramHoldsIsSaidOnce) {
    fake().heldElsewhere << FakePlatform::HotKey{MOD_ALT, VK_F2};
    const QString told = "Le raccourci global Alt+F2 est déjà pris par un autre programme : il reste sans effet.";
    testing::internal::CaptureStderr();
    for (int load = 0; load < 3; ++load) {
        Services().RemoveGlobalHotKey(settings().StopHotKey);
        Services().AddGlobalHotKey(settings().StopHotKey);
    }
    const QString said = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(said, "Orvanel : " + told + "\n");
    EXPECT_TRUE(messages.shown.isEmpty()) << "the box waits for the editor to show";
    form->show();
    TellRefusedHotKeys();
    TellRefusedHotKeys();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, told);
    EXPECT_EQ(messages.shown[0].type, MsgType::Warning);
    EXPECT_FALSE(HotKeyManager1->Registered(scAlt | VK_F2));
    EXPECT_EQ(HotKeyManager1->AddGlobalHotKey(scAlt | VK_F2), 0);
    EXPECT_TRUE(Form19->HotKey2->toolTip().contains("déjà pris par un autre programme"));
    EXPECT_TRUE(Form19->HotKey1->toolTip().isEmpty());

    // Another program of ours is there: nothing is told, nothing is marked.
    fake().windows << FakeWindow{0x501, kOrvanelClass, "Nouvelle macro - Orvanel", {}, 0, 4242};
    Services().RemoveGlobalHotKey(settings().PauseHotKey);
    fake().heldElsewhere << FakePlatform::HotKey{MOD_ALT, VK_F1};
    Services().AddGlobalHotKey(settings().PauseHotKey);
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(Form19->HotKey1->toolTip().isEmpty());

    // Free again: registered, and the field says nothing more.
    fake().heldElsewhere.clear();
    Services().AddGlobalHotKey(settings().StopHotKey);
    EXPECT_TRUE(HotKeyManager1->Registered(scAlt | VK_F2));
    EXPECT_TRUE(Form19->HotKey2->toolTip().isEmpty());
}

TEST_F(HotKeyTest, WinHotKeysComeBackWithTheirValueAndAreRemovedWhole) {
    const quint32 value = scWin | scCtrl | 'W';
    const quint16 index = HotKeyManager1->AddGlobalHotKey(value);
    ASSERT_NE(index, 0);
    EXPECT_EQ(fake().hotKeys.value(index), (FakePlatform::HotKey{MOD_WIN | MOD_CONTROL, 'W'}));
    QVector<QPair<quint32, quint16>> pressed;
    QObject::connect(HotKeyManager1, &THotKeyManager::OnHotKeyPressed,
                     [&](quint32 hotKey, quint16 i) { pressed << qMakePair(hotKey, i); });
    EXPECT_TRUE(fake().PressHotKey(MOD_WIN | MOD_CONTROL, 'W'));
    EXPECT_EQ(pressed, (QVector<QPair<quint32, quint16>>{{value, index}}));
    EXPECT_EQ(listener.heard, QStringList{"pressed 14057"});  // the listeners hear every key
    EXPECT_FALSE(HotKeyManager1->RemoveGlobalHotKey(value & 0xFFFF));
    EXPECT_TRUE(HotKeyManager1->RemoveGlobalHotKey(value));
    EXPECT_FALSE(fake().hotKeys.contains(index));
}

struct PressCase {
    const char* name;
    uint8_t vk;  // with Alt
    int answer;
    bool runGoesOn;
    QString question;
};

TEST_F(HotKeyTest, PauseAndStopDuringARun) {
    const PressCase cases[] = {
        {"pause, resumed", VK_F1, mrYes, true, "Voulez-vous reprendre l'exécution?"},
        {"pause, abandoned", VK_F1, mrAbort, false, "Voulez-vous reprendre l'exécution?"},
        {"stop", VK_F2, mrYes, false, "Souhaitez-vous réellement stopper l'exécution?"},
        {"stop refused", VK_F2, mrNo, true, "Souhaitez-vous réellement stopper l'exécution?"},
    };
    for (const PressCase& c : cases) {
        SCOPED_TRACE(c.name);
        Variables().Clear();
        messages.shown.clear();
        captions.clear();
        answer = c.answer;
        runWith({{"Pause", "00:00:01"}, {"Variable", "A;1;Numerique;"}}, MOD_ALT, c.vk);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text, c.question);
        EXPECT_EQ(var("A"), c.runGoesOn ? "1" : "?");
        EXPECT_EQ(RunState().ExecState, 0);
        EXPECT_EQ(form->windowTitle(), form->GetStateCaption());
    }
}

TEST_F(HotKeyTest, PauseQuestionHoldsTheRunThenGivesItsStateBack) {
    setRows({{"Pause", "00:00:01"}});
    int during = -1, after = -1;
    testServices().onMessage = [&](const MessageRequest&) {
        during = RunState().ExecState;
        return int(mrYes);
    };
    QTimer::singleShot(100, [&] {
        fake().PressHotKey(MOD_ALT, VK_F1);
        after = RunState().ExecState;
    });
    run();
    EXPECT_EQ(during, 3);
    EXPECT_EQ(after, 1);
}

// Without a run of its own the program asks nothing: it passes the keys to
// our other programs, one message to each, and acts on those passed to it
// only while it runs a macro.
TEST_F(HotKeyTest, KeysWhileIdleGoToTheOtherProgramsOfOurs) {
    const QString idle = form->windowTitle();
    fake().windows << FakeWindow{0x501, kOrvanelClass, "essai.mcr", {}, 0, 4242}
                   << FakeWindow{0x502, kOrvanelClass, "Titre", {}, 0, 4242}
                   << FakeWindow{0x503, kOrvanelClass, "autre.mcr", {}, 0, 4343}
                   << FakeWindow{0x504, kOrvanelClass, "moi", {}, 0, QCoreApplication::applicationPid()}
                   << FakeWindow{0x505, "Autre", "pas à nous", {}, 0, 4444};
    fake().calls.clear();
    EXPECT_TRUE(fake().PressHotKey(MOD_ALT, VK_F1));
    EXPECT_TRUE(fake().PressHotKey(MOD_ALT, VK_F2));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(form->windowTitle(), idle);
    EXPECT_EQ(fake().calls.filter("PostClientMessage"),
              QStringList({"PostClientMessage 0x501 3031 0 0", "PostClientMessage 0x503 3031 0 0",
                           "PostClientMessage 0x501 3032 0 0", "PostClientMessage 0x503 3032 0 0"}));

    // Passed to this one while idle: nothing; during a run: the question.
    fake().calls.clear();
    fake().programMessageHandler({WM_STOPKEY, 0, 0, {}});
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(fake().calls.filter("PostClientMessage").isEmpty()) << "never passed on again";
    answer = mrYes;
    setRows({{"Pause", "00:00:01"}, {"Variable", "A;1;Numerique;"}});
    QTimer::singleShot(100, [] { fake().programMessageHandler({WM_STOPKEY, 0, 0, {}}); });
    run();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Souhaitez-vous réellement stopper l'exécution?");
    EXPECT_EQ(var("A"), "?");
}

TEST_F(HotKeyTest, LockKeysAndPrintScreenGoToTheListeners) {
    Services().RegisterStartupHotKeys();
    fake().keysToggled.insert(VK_NUMLOCK);
    fake().calls.clear();
    EXPECT_TRUE(fake().PressHotKey(0, VK_NUMLOCK));
    EXPECT_TRUE(fake().calls.filter("keybd_event").isEmpty());  // the server toggled the lock itself
    EXPECT_TRUE(fake().PressHotKey(0, VK_SNAPSHOT));
    EXPECT_EQ(listener.heard, QStringList({"lock 144 1", "pressed 90", "pressed 2c", "copy 0"}));
    EXPECT_EQ(fake().calls, QStringList{"SetClipboardImage 1024x768"});
    EXPECT_EQ(fake().clipboardImage.size(), QSize(1024, 768));
    EXPECT_TRUE(messages.shown.isEmpty());
}

}  // namespace
