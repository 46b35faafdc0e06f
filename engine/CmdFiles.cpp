// The text files "Lire" and "Ecrire" keep open during a run. These commands
// do not run in this version, so none is ever open.
#include "engine/Handlers.h"

void CloseRunFiles() {}
