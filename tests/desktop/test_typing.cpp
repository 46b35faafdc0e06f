// "Type" and "Type Special" reach a real text window whatever the layout.
#include "tests/desktop/DesktopRun.h"

#include "engine/Handlers.h"
#include "platform/VirtualKeys.h"

namespace {

using namespace desktoptest;

class Typing : public DesktopRun {};

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
        for (const char32_t c : harder.toUcs4()) EXPECT_TRUE(desk().TypeCharacter(c));
        EXPECT_TRUE(probe.waitForLine("text " + text + harder)) << probe.lines().last().toStdString();
        for (uint8_t vk : {platform::VK_SHIFT, platform::VK_CONTROL, platform::VK_MENU, platform::VK_RMENU})
            EXPECT_FALSE(desk().IsKeyDown(vk)) << "every key is released";
    }
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

        MacroRunning = true;  // held between two rows of one run
        ExecTypeSpecial("Ctrl;Alt;Suppr;[KeyDown];");
        for (uint8_t vk : {platform::VK_CONTROL, platform::VK_MENU, platform::VK_DELETE})
            EXPECT_TRUE(desk().IsKeyDown(vk)) << int(vk);
        ExecTypeSpecial("Ctrl;Alt;Suppr;[KeyUp];");
        for (uint8_t vk : {platform::VK_CONTROL, platform::VK_MENU, platform::VK_DELETE})
            EXPECT_FALSE(desk().IsKeyDown(vk)) << int(vk);
        MacroRunning = false;
    }
}

}  // namespace
