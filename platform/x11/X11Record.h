#pragma once
// The desktop's input events through the X Record extension: every pointer,
// button, wheel and key event the server processes, whichever client or
// device made it, read on a connection of its own. Key events are translated
// with the keymap as it stood when they happened (another client may lend a
// keycode to a character for one key press). Xlib types stay in X11Record.cpp.

#include "platform/Platform.h"

#include <QHash>
#include <QSet>
#include <QVector>

#include <functional>
#include <memory>

class QSocketNotifier;
struct _XDisplay;
struct _XkbDesc;

namespace platform {

class InjectedEvents;

class X11Record {
public:
    // The extension is on that display.
    static bool available(_XDisplay* display);
    // Starts recording on two connections to that display; each event goes
    // to handler from the event loop, those in `injected` left out. Null when
    // the display or the extension cannot be used.
    static std::unique_ptr<X11Record> open(const char* displayName, InjectedEvents& injected,
                                           std::function<void(const DesktopEvent&)> handler);
    ~X11Record();
    X11Record(const X11Record&) = delete;
    X11Record& operator=(const X11Record&) = delete;

    // The extension's data of that category: a device event from the
    // server, a request of a client, the start of the data...
    void onData(int category, const unsigned char* data, int length);

private:
    X11Record(_XDisplay* control, _XDisplay* data, InjectedEvents& injected,
              std::function<void(const DesktopEvent&)> handler);
    bool start();
    bool onDeviceEvent(const unsigned char* data, DesktopEvent& e);
    void onKeymapRequest(const unsigned char* request, int length);
    void onKey(unsigned char keycode, bool down, DesktopEvent& e);
    _XkbDesc* keymap();
    unsigned long keysymOf(unsigned char keycode, unsigned mods);

    _XDisplay* control_;  // creates the context, reads the keymap
    _XDisplay* data_;     // receives the recorded data
    unsigned long context_ = 0;
    bool started_ = false;
    InjectedEvents& injected_;
    std::function<void(const DesktopEvent&)> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::shared_ptr<bool> alive_;  // the events handed on later are dropped once it is gone
    _XkbDesc* keymap_ = nullptr;
    int xkbEventBase_ = -1;
    QSet<unsigned char> held_;  // keys down
    unsigned locked_ = 0;       // locked modifiers (Caps Lock, Num Lock)
    // Keycodes whose symbols a client changed by the core request while we
    // recorded: the symbols as of the data read so far.
    QHash<unsigned char, QVector<unsigned long>> changed_;
};

}  // namespace platform
