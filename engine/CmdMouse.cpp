// Run-time handlers of "Move Mouse", "Click" and "Parcours souris".
#include "core/Settings.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QThread>

#include <cmath>
#include <cstdlib>

using namespace platform;

namespace {

// The pause after the user moved the mouse during a movement.
int mousePauseMs() {
    return mdlfnct::IsInteger(settings().PauseMouse) ? mdlfnct::StrToIntOrZero(settings().PauseMouse) : 3000;
}

// A coordinate as written (a number or a variable): its value, or a run-time
// error naming it. Any integer goes: the cursor stops at the screen's edge.
CommandResult coordinate(CommandCall& c, const QString& written, const QString& axis, int& value) {
    const QString text = c.Value(written);
    if (!mdlfnct::IsInteger(text))
        return RunError(QStringLiteral("La valeur de ") + axis + QStringLiteral(" n'est pas un numérique.[") + written + u']');
    value = mdlfnct::StrToIntOrZero(text);
    return Done();
}

// The cursor walks one pixel per step along the line through the target,
// resting 10 ms every SpeedMouse + 1 steps; when the user moved the mouse
// meanwhile it pauses, then goes on from where the cursor now is.
void moveIndirect(TRunContext& ctx, int x, int y) {
    Platform& desk = desktop();
    const int pauseMs = mousePauseMs();
    const int speed = settings().SpeedMouse;
    POINT c = desk.GetCursorPos();
    const double a = c.x != x ? double(c.y - y) / double(c.x - x) : 0.0;
    const double b = y - x * a;
    POINT placed = c;
    int counter = -1;
    auto place = [&] {
        desk.SetCursorPos(c.x, c.y);
        placed = c;
    };
    auto rest = [&] {
        if (++counter != speed) return;
        QThread::msleep(10);
        QCoreApplication::processEvents();
        counter = -1;
        const POINT now = desk.GetCursorPos();
        if (now == placed) return;
        ctx.PauseMs(pauseMs);
        c = desk.GetCursorPos();
    };
    auto alongX = [&](int dir) {
        while (ctx.Running() && (dir < 0 ? c.x > x : c.x < x)) {
            place();
            c.x += dir;
            c.y = int(std::lround(c.x * a + b));
            rest();
        }
    };
    auto alongY = [&](int dir) {
        while (ctx.Running() && (dir < 0 ? c.y > y : c.y < y)) {
            place();
            c.y += dir;
            c.x = a == 0 ? x : int(std::lround((c.y - b) / a));
            rest();
        }
    };
    if (std::abs(c.x - x) > std::abs(c.y - y)) {
        alongX(-1);
        alongX(1);
    } else {
        alongY(-1);
        alongY(1);
    }
    if (ctx.Running()) desk.SetCursorPos(x, y);
}

// The double-click delay: the system's less 300 ms, 300 ms when out of 1..1000.
int doubleClickDelay() {
    const int delay = QApplication::doubleClickInterval() - 300;
    return delay < 1 || delay > 1000 ? 300 : delay;
}

void pumpAndSleep(int ms) {
    QCoreApplication::processEvents();
    QThread::msleep(ulong(ms));
}

}  // namespace

namespace {
// direction is "Direct" or "Indirect"; any other moves nothing.
CommandResult moveMouse(CommandCall& c, const QString& writtenX, const QString& writtenY, const QString& direction) {
    int x = 0, y = 0;
    if (const CommandResult r = coordinate(c, writtenX, QStringLiteral("X"), x); r.failed()) return r;
    if (const CommandResult r = coordinate(c, writtenY, QStringLiteral("Y"), y); r.failed()) return r;
    // The cursor goes exactly there (absolute mouse units could miss it by a pixel).
    if (direction == u"Direct") desktop().SetCursorPos(x, y);
    else if (direction == u"Indirect") moveIndirect(c.ctx, x, y);
    return Done();
}
}  // namespace

CommandResult ExecMoveMouse(CommandCall& c) { return moveMouse(c, c.param.text(1), c.param.text(2), c.param.text(3)); }

CommandResult ExecClick(CommandCall& c) {
    const int delay = doubleClickDelay();
    struct Button {
        const char* name;
        uint32_t down, up;
    };
    static const Button buttons[] = {
        {"Left", MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
        {"Middle", MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP},
        {"Right", MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
    };
    Platform& desk = desktop();
    for (int i = 1; i <= 6; ++i) {
        const QString action = c.param.text(i);
        if (action == u"Whell Down" || action == u"Whell Up") {
            const QString count = c.param.text(i + 1);
            if (!mdlfnct::IsInteger(count))
                return RunError(QStringLiteral("Le nombre de crans de la molette n'est pas un entier.[") + count + u']');
            const int delta = action == u"Whell Up" ? WHEEL_DELTA : -WHEEL_DELTA;
            for (int n = mdlfnct::StrToIntOrZero(count); n > 0 && c.ctx.Running(); --n) {
                desk.mouse_event(MOUSEEVENTF_WHEEL, 0, 0, delta);
                pumpAndSleep(delay);
            }
            continue;
        }
        for (const Button& b : buttons) {
            const QString name = QLatin1String(b.name);
            if (action == name + QStringLiteral(" Down")) {
                desk.mouse_event(b.down, 0, 0, 0);
            } else if (action == name + QStringLiteral(" Up")) {
                desk.mouse_event(b.up, 0, 0, 0);
            } else if (action == name + QStringLiteral(" click")) {
                desk.mouse_event(b.down, 0, 0, 0);
                desk.mouse_event(b.up, 0, 0, 0);
            } else if (action == name + QStringLiteral(" double-click")) {
                desk.mouse_event(b.down, 0, 0, 0);
                desk.mouse_event(b.up, 0, 0, 0);
                pumpAndSleep(delay);
                desk.mouse_event(b.down, 0, 0, 0);
                desk.mouse_event(b.up, 0, 0, 0);
            }
        }
    }
    return Done();
}

// Each point is an indirect "Move Mouse" of its own, its coordinates resolved as there.
CommandResult ExecMousePath(CommandCall& c) {
    const QChar separator = c.ctx.Separator();
    QString x, y;
    bool onY = false;
    for (const QChar ch : c.params) {
        if (!c.ctx.Running()) return Done();
        if (ch != separator) {
            (onY ? y : x) += ch;
        } else if (!onY) {
            onY = true;
        } else {
            if (const CommandResult r = moveMouse(c, x, y, QStringLiteral("Indirect")); r.failed()) return r;
            QThread::msleep(10);
            QCoreApplication::processEvents();
            x.clear();
            y.clear();
            onY = false;
        }
    }
    return Done();
}
