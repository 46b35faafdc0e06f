#pragma once
// What the X11 platform's files share besides the class itself.

#include <chrono>
#include <cstdint>
#include <thread>

namespace platform {

// Waits while the server (or a client) catches up.
inline void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Milliseconds on a steady clock.
inline int64_t steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace platform
