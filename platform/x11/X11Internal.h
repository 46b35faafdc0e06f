#pragma once
// What the X11 platform's files share besides the class itself.

#include <chrono>
#include <thread>

namespace platform {

// Waits while the server (or a client) catches up.
inline void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace platform
