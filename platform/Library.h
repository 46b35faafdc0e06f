#pragma once
// Shared libraries loaded while the program runs (command plug-ins). A module
// handle is a small number of ours, never 0, so that it fits the 32-bit
// fields plug-ins pass it in.
#include <QString>

namespace platform {

using HMODULE = quint32;

// Loads the library at that path with every symbol resolved now; 0 on
// failure, with the loader's reason in error when given.
HMODULE LoadLibrary(const QString& path, QString* error = nullptr);
// The address of an exported symbol; null when the library has none.
void* GetProcAddress(HMODULE module, const char* name);
// False when the handle is no loaded library.
bool FreeLibrary(HMODULE module);

}  // namespace platform
