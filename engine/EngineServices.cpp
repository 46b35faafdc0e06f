#include "engine/EngineServices.h"

namespace {
EngineServices defaults;
EngineServices* installed = nullptr;
}  // namespace

EngineServices& engineServices() { return installed ? *installed : defaults; }

void InstallEngineServices(EngineServices* services) { installed = services; }
