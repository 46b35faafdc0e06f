// "Type" and "Type Special" reach a real text window whatever the layout.
#include "tests/desktop/DesktopRun.h"
#include "engine/Runner.h"

#include "engine/Handlers.h"
#include "platform/VirtualKeys.h"

#include <QRegularExpression>

namespace {

using namespace desktoptest;

// The clients typed into: probe_client (Qt reads the whole keymap again at
// each change notice) and a Tk entry (Xlib reads the changed keys when it
// handles the notice, and misses a notice that comes while it reads).
struct Client {
    const char* name;
    QString program;
    QStringList args;
};
const Client kClients[] = {
    {"qt", PROBE_CLIENT, {}},
    {"tk", "env", {"LC_ALL=C.UTF-8", "wish", TK_PROBE}},
};

// The server's keymap, as xkbcomp writes it.
QString serverKeymap() {
    QByteArray keymap;
    EXPECT_TRUE(run("xkbcomp", {"-xkb", qgetenv("DISPLAY"), "-"}, &keymap));
    return QString::fromUtf8(keymap);
}

class Typing : public DesktopRun {
protected:
    void typeIntoEveryClient(const QString& text, const QStringList& layouts);
};

// Types `text` with no delay into each client under each layout; each gets it
// whole, and the keymap is as it was once the desktop closes.
void Typing::typeIntoEveryClient(const QString& text, const QStringList& layouts) {
    for (const QString& layout : layouts)
        for (const Client& client : kClients) {
            SCOPED_TRACE((layout + " " + client.name).toStdString());
            useLayout(layout);
            const QString keymap = serverKeymap();
            {
                const QString title = QStringLiteral("Sonde %1 %2").arg(client.name, layout);
                Probe probe(client.args + QStringList{"--title", title}, client.program);
                ASSERT_NE(showProbe(desk(), probe, title), 0u) << probe.lines().join('\n').toStdString();
                run({{"Type", text}});
                EXPECT_TRUE(probe.waitForLine("text " + text)) << probe.lines().join('\n').toStdString();
                QThread::msleep(200);  // nothing more comes
                EXPECT_EQ(probe.lines().filter(QRegularExpression("^text ")).last(), "text " + text);
                for (uint8_t vk : {platform::VK_SHIFT, platform::VK_CONTROL, platform::VK_MENU, platform::VK_RMENU})
                    EXPECT_FALSE(desk().IsKeyDown(vk)) << "every key is released";
            }
            platform::setDesktop(nullptr);  // gives the lent keycodes back
            EXPECT_EQ(serverKeymap(), keymap);
        }
}

TEST_F(Typing, TypeArrivesExactlyInFrenchAndUsLayouts) {
    const QString text = "Été à 5€ @home";
    const QString harder = "ÂâÄäÅÊËÎÏÔÖÛ çÇ œŒ ß {[|]} ~^¨`´ «» — “” 日本 AbC;\\$£µ§";
    for (const QString layout : {"fr", "us"}) {
        SCOPED_TRACE(layout.toStdString());
        useLayout(layout);
        const QString title = "Sonde frappe " + layout;
        Probe probe({"--title", title});
        ASSERT_NE(showProbe(desk(), probe, title), 0u);
        run({{"Type", text}});
        EXPECT_TRUE(probe.waitForLine("text " + text)) << probe.lines().join('\n').toStdString();
        EXPECT_TRUE(desk().TypeText(harder.chopped(3)));
        for (const char32_t c : harder.right(3).toUcs4()) EXPECT_TRUE(desk().TypeCharacter(c));
        EXPECT_TRUE(probe.waitForLine("text " + text + harder)) << probe.lines().last().toStdString();
        for (uint8_t vk : {platform::VK_SHIFT, platform::VK_CONTROL, platform::VK_MENU, platform::VK_RMENU})
            EXPECT_FALSE(desk().IsKeyDown(vk)) << "every key is released";
    }
}

TEST_F(Typing, AccentsMissingFromTheLayoutArriveWhole) {
    typeIntoEveryClient("éèçàù ÂÉÊËÎÏÔÖ â ê î ô û ä ë ï ö ü Â Ê", {"us", "fr"});
}

// More distinct characters than there are spare keycodes: they are lent in
// turns, and a keycode gets its next keysym only once the clients are done
// with the last.
TEST_F(Typing, MoreMissingCharactersThanSpareKeycodesArriveWhole) {
    QString text;
    for (char32_t c = 0x4e00; c < 0x4e00 + 60; ++c) text += QString::fromUcs4(&c, 1) + (c % 7 ? "" : "é");
    typeIntoEveryClient(text + text.left(10), {"us"});
}

TEST_F(Typing, KeyNamesComeFromTheLayout) {
    useLayout("fr");
    EXPECT_EQ(desk().GetKeyNameText(16, false), "A");
    EXPECT_EQ(desk().GetKeyNameText(3, false), "É");
    EXPECT_EQ(desk().GetKeyNameText(83, true), "Suppr");
    EXPECT_EQ(Form4->SpeedButton(32)->text(), "A");
    useLayout("us");
    EXPECT_EQ(desk().GetKeyNameText(16, false), "Q");
    EXPECT_EQ(Form4->SpeedButton(32)->text(), "Q");
}

TEST_F(Typing, TypeSpecialPressesAndReleases) {
    for (const QString layout : {"fr", "us"}) {
        SCOPED_TRACE(layout.toStdString());
        useLayout(layout);
        const QString title = "Sonde touches " + layout;
        Probe probe({"--title", title});
        ASSERT_NE(showProbe(desk(), probe, title), 0u);
        run({{"Type Special", "Maj;A;"}, {"Type Special", "B;"}});
        EXPECT_TRUE(probe.waitForLine("text Ab")) << probe.lines().join('\n').toStdString();

        RunState().MacroRunning = true;  // held between two rows of one run
        RunCommand(Runner->Context(), "Type Special", "Ctrl;Alt;Suppr;[KeyDown];");
        for (uint8_t vk : {platform::VK_CONTROL, platform::VK_MENU, platform::VK_DELETE})
            EXPECT_TRUE(desk().IsKeyDown(vk)) << int(vk);
        RunCommand(Runner->Context(), "Type Special", "Ctrl;Alt;Suppr;[KeyUp];");
        for (uint8_t vk : {platform::VK_CONTROL, platform::VK_MENU, platform::VK_DELETE})
            EXPECT_FALSE(desk().IsKeyDown(vk)) << int(vk);
        RunState().MacroRunning = false;
    }
}

}  // namespace
