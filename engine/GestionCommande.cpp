// Plug-in commands. No plug-in can be loaded in this version, so none has a
// command to stop.
#include "engine/Handlers.h"

void StopPluginCommands() {}
