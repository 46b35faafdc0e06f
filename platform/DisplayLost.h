#pragma once
// The X server gone from under the program (killed, its connection cut).
// Once that is seen no X call reaches the server any more, and the handler
// runs once, on the user-interface thread, wherever the program was: it
// writes what must not be lost. The program then ends with status 1; neither
// the toolkit's nor Xlib's own way out (exit() while the connections are
// dead) runs.
#include <functional>

namespace platform {

// Needs the application object; the last handler given is the one called.
void OnDisplayLost(std::function<void()> handler);
bool DisplayLost();

}  // namespace platform
