// A message a plug-in's host program sends: a body that decodes is written
// again to the same frame, and one that does not says why.
#include "platform/PluginWire.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<pluginwire::Message> message = pluginwire::decode(body, &error);
    if (!message) {
        if (error.empty()) std::abort();
        return 0;
    }
    const std::string frame = pluginwire::encode(*message);
    if (pluginwire::frameLength(frame) != frame.size() - 4) std::abort();
    if (pluginwire::decode(std::string_view(frame).substr(4)) != message) std::abort();
    return 0;
}
