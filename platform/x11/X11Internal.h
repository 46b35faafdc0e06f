#pragma once
// What the X11 platform's files share besides the class itself.

#include <chrono>
#include <cstdint>
#include <deque>
#include <set>
#include <thread>

struct _XDisplay;

namespace platform {

// Errors on our connections are kept, not reported: from now on (on) or no
// longer for that connection.
void watchErrors(_XDisplay* d, bool on);
// The code of the last error on that connection since the previous call; 0 when none.
int takeError(_XDisplay* d);
// The loss of that connection ends the program as platform/DisplayLost.h says.
void watchLoss(_XDisplay* d);

// Waits while the server (or a client) catches up.
inline void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Milliseconds on a steady clock.
inline int64_t steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The character a keysym types: Latin-1 and Unicode keysyms, and the few
// older ones of Western layouts; 0 for the others (keypad keys included).
char32_t characterOf(unsigned long keysym);

// The physical key of a keycode as a PC keyboard reports it (scan code set
// 1, extended or not); false when the keycode is no such key.
bool scanOfKeycode(unsigned char keycode, uint8_t& scan, bool& extended);

// The events this program injects, kept until the desktop's event watcher
// sees them come back, so that it leaves them out. One that never comes back
// (a move to where the pointer already is) is forgotten after a while.
class InjectedEvents {
public:
    // type: the X event type; detail: the keycode, the button, or for a move
    // the position as x << 16 | y.
    void add(int type, unsigned detail) {
        if (watched) entries_.push_back({type, detail, steadyMs()});
    }
    // True when that event is one of ours (then no longer waited for).
    bool take(int type, unsigned detail) {
        const int64_t now = steadyMs();
        while (!entries_.empty() && now - entries_.front().at > kForgetMs) entries_.pop_front();
        for (auto it = entries_.begin(); it != entries_.end(); ++it)
            if (it->type == type && it->detail == detail) {
                entries_.erase(it);
                return true;
            }
        return false;
    }
    // A press (type KeyPress or ButtonPress) or its release: a release is
    // noted when we pressed it or when isDown() says it is down.
    template <class IsDown>
    void addPress(int pressType, unsigned detail, bool down, IsDown isDown) {
        if (!watched) return;
        const unsigned id = unsigned(pressType) << 16 | detail;
        if (down) pressed_.insert(id);
        if (down || pressed_.erase(id) || isDown()) add(down ? pressType : pressType + 1, detail);
    }
    void clear() {
        entries_.clear();
        pressed_.clear();
    }
    bool watched = false;  // kept only while the events are watched

private:
    static constexpr int64_t kForgetMs = 5000;
    struct Entry {
        int type;
        unsigned detail;
        int64_t at;
    };
    std::deque<Entry> entries_;
    std::set<unsigned> pressed_;  // by us, while watched
};

}  // namespace platform
