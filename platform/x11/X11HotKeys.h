#pragma once
// Global hotkeys on a connection of their own: passive grabs of the key on
// the root window, one for every combination of the lock modifiers, and the
// presses they bring read as soon as they reach the connection. Xlib types
// stay in X11HotKeys.cpp.

#include <QHash>

#include <functional>
#include <memory>

class QSocketNotifier;
struct _XDisplay;

namespace platform {

class X11HotKeys {
public:
    // Opens a connection to that display; each press calls pressed(id) from
    // the event loop. Null when the display cannot be opened.
    static std::unique_ptr<X11HotKeys> open(const char* displayName, std::function<void(int)> pressed);
    ~X11HotKeys();
    X11HotKeys(const X11HotKeys&) = delete;
    X11HotKeys& operator=(const X11HotKeys&) = delete;

    // False when the key has no keycode, when another client holds one of the
    // combinations (none is then kept) or when this one registered it already.
    bool add(int id, unsigned modifiers, unsigned long keysym);
    // Reports the presses of a combination without grabbing it, from the
    // raw key events of the input extension, which come whoever grabs the
    // key. False when the server has no such events.
    bool watch(int id, unsigned modifiers, unsigned long keysym);
    bool remove(int id);

private:
    X11HotKeys(_XDisplay* display, std::function<void(int)> pressed);
    struct Grab {
        unsigned char keycode = 0;
        unsigned mask = 0;  // X modifier mask, lock modifiers left out
    };
    void grab(const Grab& g, bool on);
    unsigned lockMasks() const;
    void readEvents();
    void pressed(unsigned keycode, unsigned mask, const QHash<int, Grab>& among);
    bool selectRawKeys(bool on);

    _XDisplay* dpy_;
    std::function<void(int)> pressed_;
    QHash<int, Grab> grabs_;
    QHash<int, Grab> watches_;
    int inputOpcode_ = -1;  // of the input extension, once asked; 0 when the server has none
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace platform
