#pragma once
// SIGTERM and SIGINT, delivered to the event loop instead of ending the
// process at once.
#include <functional>

namespace platform {

// From now on each termination signal calls handler on the user-interface
// thread, at the next event pumped. Needs the application object.
void OnTerminationSignal(std::function<void()> handler);

}  // namespace platform
