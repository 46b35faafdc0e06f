// Saved execution contexts. None can be saved in this version, so a resumed
// run has nothing to load.
#include "engine/Handlers.h"

void LoadExecutionContextForRun() {}
