// The keyboard layouts of the desktop, the layout that names the keys, and
// the cursor's picture.
#include "platform/XkbRegistry.h"
#include "platform/x11/X11Platform.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XKBstr.h>
#include <X11/extensions/Xfixes.h>

namespace platform {

QVector<KeyboardLayoutInfo> X11Platform::KeyboardLayouts() {
    QVector<KeyboardLayoutInfo> layouts = ReadXkbLayouts();
    return layouts.isEmpty() ? Platform::KeyboardLayouts() : layouts;
}

// The server compiles the layout's keymap and hands it back without
// installing it: the keyboard of the session does not change.
void X11Platform::LoadKeyboardLayout(const QString& layout) {
    Platform::LoadKeyboardLayout(layout);
    if (namesKeymap_) XkbFreeKeyboard(namesKeymap_, 0, True);
    namesKeymap_ = nullptr;
    if (xkbEventBase_ < 0 || layout.isEmpty()) return;
    QByteArray keycodes = "evdev+aliases(qwerty)", types = "complete", compat = "complete";
    QByteArray symbols = "pc+" + layout.toLatin1() + "+inet(evdev)";
    XkbComponentNamesRec names{};
    names.keycodes = keycodes.data();
    names.types = types.data();
    names.compat = compat.data();
    names.symbols = symbols.data();
    namesKeymap_ = XkbGetKeyboardByName(dpy_, XkbUseCoreKbd, &names, XkbGBN_AllComponentsMask,
                                        XkbGBN_AllComponentsMask & ~XkbGBN_GeometryMask, False);
    if (namesKeymap_ && !namesKeymap_->map) {
        XkbFreeKeyboard(namesKeymap_, 0, True);
        namesKeymap_ = nullptr;
    }
}

CursorImage X11Platform::GetCursorImage() {
    int event = 0, error = 0;
    if (!XFixesQueryExtension(dpy_, &event, &error)) return {};
    XFixesCursorImage* cursor = XFixesGetCursorImage(dpy_);
    if (!cursor) return {};
    CursorImage out;
    out.hotSpot = QPoint(cursor->xhot, cursor->yhot);
    out.image = QImage(cursor->width, cursor->height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < cursor->height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.image.scanLine(y));
        for (int x = 0; x < cursor->width; ++x) line[x] = QRgb(cursor->pixels[y * cursor->width + x] & 0xffffffffu);
    }
    XFree(cursor);
    return out;
}

}  // namespace platform
