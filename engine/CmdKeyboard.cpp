// Run-time handlers of "Type" and "Type Special".
#include "core/Settings.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

#include <QCoreApplication>

using namespace platform;

CommandResult ExecType(CommandCall& c) {
    const QString text = c.Value(c.params);
    Platform& desk = desktop();
    // With Alt held (a "Type Special" [KeyDown] before), digits go to the numeric keypad.
    if (desk.IsKeyDown(VK_MENU) && mdlfnct::IsInteger(text)) {
        QCoreApplication::processEvents();
        for (const QChar c : text) {
            if (!c.isDigit()) continue;
            const auto vk = uint8_t(VK_NUMPAD0 + c.digitValue());
            const auto scan = uint8_t(desk.MapVirtualKey(vk, 0));
            desk.keybd_event(vk, scan, 0);
            desk.keybd_event(vk, scan, KEYEVENTF_KEYUP);
        }
        return Done();
    }
    // Every character with its own key and modifiers, whatever the layout;
    // a stopped run stops between two characters (without the typing delay,
    // Stop and Esc are heard every few characters).
    TRunContext& ctx = c.ctx;
    desk.TypeText(text, [&ctx](qsizetype i) {
        if (settings().TypeActive)
            ctx.Pause(settings().TypeTime + CarSepParam + QStringLiteral("MilliSec") + CarSepParam);
        else if (i % 16 == 0)
            QCoreApplication::processEvents();
        return ctx.Running();
    });
    return Done();
}

CommandResult ExecTypeSpecial(CommandCall& c) {
    TParamFields f = mdlfnct::SplitParams(c.params);
    const int last = qBound(1, f.Count - 1, 20);
    for (int i = 1; i <= last; ++i) {  // an empty field stands for the separator key
        if (f[i].isEmpty()) {
            f[i] = CarSepParam;
            break;
        }
    }
    // Rebuilt here, so that Step mode finds the names as a run does.
    mdlfnct::BuildKeyNameTable();
    auto named = [](const QString& name) -> const mdlfnct::KeyNameEntry* {
        for (const mdlfnct::KeyNameEntry& e : std::as_const(mdlfnct::KeyNameTable))
            if (e.name == name) return &e;
        return nullptr;
    };
    const mdlfnct::KeyNameEntry* keys[3] = {named(f[1]), named(f[2]), named(f[3])};
    auto press = [&](bool down) {
        for (int i = 0; i < 3; ++i)
            if (const mdlfnct::KeyNameEntry* k = keys[down ? i : 2 - i]) mdlfnct::PressNamedKey(*k, down);
    };
    const QString& action = f[last];
    if (action != u"[KeyUp]") press(true);
    if (action == u"[KeyDown]") return Done();
    press(false);
    QCoreApplication::processEvents();
    return Done();
}
