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
            ctx.PauseMs(mdlfnct::StrToIntOrZero(settings().TypeTime));
        else if (i % 16 == 0)
            QCoreApplication::processEvents();
        return ctx.Running();
    });
    return Done();
}

CommandResult ExecTypeSpecial(CommandCall& c) {
    const ParamView& p = c.param;
    const int last = qBound(1, p.count(), kMaxParamFields);
    int empty = 0;  // the first empty field stands for the separator key
    for (int i = last; i >= 1; --i)
        if (p.textAt(i).isEmpty()) empty = i;
    auto key = [&](int position, const QString& text) { return position == empty ? QString(c.ctx.Separator()) : text; };
    // Rebuilt here, so that Step mode finds the names as a run does.
    mdlfnct::BuildKeyNameTable();
    auto named = [](const QString& name) -> const mdlfnct::KeyNameEntry* {
        for (const mdlfnct::KeyNameEntry& e : std::as_const(mdlfnct::KeyNameTable))
            if (e.name == name) return &e;
        return nullptr;
    };
    const mdlfnct::KeyNameEntry* keys[3] = {named(key(1, p.text(1))), named(key(2, p.text(2))), named(key(3, p.text(3)))};
    auto press = [&](bool down) {
        for (int i = 0; i < 3; ++i)
            if (const mdlfnct::KeyNameEntry* k = keys[down ? i : 2 - i]) mdlfnct::PressNamedKey(*k, down);
    };
    const QString action = key(last, p.text(4));  // the last field
    if (action != u"[KeyUp]") press(true);
    if (action == u"[KeyDown]") return Done();
    press(false);
    QCoreApplication::processEvents();
    return Done();
}
