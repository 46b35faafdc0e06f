// "Move Mouse", "Parcours souris" and "Click" on the real X server.
#include "tests/desktop/DesktopRun.h"

namespace {

using namespace desktoptest;

class Mouse : public DesktopRun {};

TEST_F(Mouse, PointerEndsWhereTheRowsSay) {
    desk().SetCursorPos(10, 10);
    run({{"Move Mouse", "640;480;Direct;;"}});
    EXPECT_EQ(desk().GetCursorPos(), (platform::POINT{640, 480}));
    run({{"Variable", "X;301;Numerique;"}, {"Move Mouse", "X;77;Indirect;;"}});
    EXPECT_EQ(desk().GetCursorPos(), (platform::POINT{301, 77}));
    run({{"Move Mouse", "305;700;Indirect;;"}});  // y-major
    EXPECT_EQ(desk().GetCursorPos(), (platform::POINT{305, 700}));
    run({{"Parcours souris", "100;100;120;130;1000;20;"}});
    EXPECT_EQ(desk().GetCursorPos(), (platform::POINT{1000, 20}));
}

TEST_F(Mouse, ClicksAndWheelReachTheClient) {
    Probe probe({"--title", "Sonde clics"});
    ASSERT_NE(showProbe(desk(), probe, "Sonde clics"), 0u);
    const QPoint at = areaPoint(probe);
    const QString xy = QStringLiteral(" %1 %2").arg(at.x()).arg(at.y());
    const qsizetype before = probe.lines().size();
    run({{"Move Mouse", QStringLiteral("%1;%2;Indirect;;").arg(at.x()).arg(at.y())},
         {"Click", "Left click;Right click;Middle Down;Middle Up;"},
         {"Click", "Whell Down;2;Whell Up;1;"}});
    const QStringList expected = {"press 1" + xy,   "release 1" + xy, "press 3" + xy, "release 3" + xy,
                                  "press 2" + xy,   "release 2" + xy, "wheel down",   "wheel down",
                                  "wheel up"};
    EXPECT_EQ(probe.reports(before, {"press", "release", "wheel"}, expected.size()), expected);

    const qsizetype again = probe.lines().size();
    run({{"Click", "Left double-click;"}});
    waitFor([&] { return probe.linesAfter(again).size() >= 4; });
    EXPECT_EQ(probe.linesAfter(again), QStringList({"press 1" + xy, "release 1" + xy, "press 1" + xy, "release 1" + xy}));
}

}  // namespace
