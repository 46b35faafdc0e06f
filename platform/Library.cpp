#include "platform/Library.h"

#include <QFile>
#include <QHash>

#include <dlfcn.h>

namespace platform {

namespace {

QHash<HMODULE, void*>& loaded() {
    static QHash<HMODULE, void*> modules;
    return modules;
}

}  // namespace

HMODULE LoadLibrary(const QString& path, QString* error) {
    static HMODULE next = 0;
    // Local symbols: two plug-ins export the same names.
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (error) *error = QString::fromLocal8Bit(dlerror());
        return 0;
    }
    loaded().insert(++next, handle);
    return next;
}

void* GetProcAddress(HMODULE module, const char* name) {
    void* handle = loaded().value(module);
    return handle ? dlsym(handle, name) : nullptr;
}

bool FreeLibrary(HMODULE module) {
    void* handle = loaded().take(module);
    return handle && dlclose(handle) == 0;
}

}  // namespace platform
