#pragma once
// What the X11 platform's files share besides the class itself.

#include <chrono>
#include <cstdint>
#include <thread>

struct _XDisplay;

namespace platform {

// Errors on our connections are kept, not reported: from now on (on) or no
// longer for that connection.
void watchErrors(_XDisplay* d, bool on);
// The code of the last error on that connection since the previous call; 0 when none.
int takeError(_XDisplay* d);

// Waits while the server (or a client) catches up.
inline void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Milliseconds on a steady clock.
inline int64_t steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace platform
