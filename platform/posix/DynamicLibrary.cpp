#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

TDynamicLibrary::TDynamicLibrary(const std::string& path)
{
    if (path.empty()) {
        FLoadError = "no library path";
        return;
    }
    // RTLD_NOW: a library with unresolved symbols fails here instead of at a call.
    FHandle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (FHandle == nullptr) {
        const char* error = ::dlerror();
        FLoadError = error != nullptr ? error : "cannot load " + path;
    }
}

void* TDynamicLibrary::Symbol(const std::string& name) const
{
    if (FHandle == nullptr || name.empty())
        return nullptr;
    return ::dlsym(FHandle, name.c_str());
}

void TDynamicLibrary::Unload()
{
    if (FHandle != nullptr) {
        ::dlclose(FHandle);
        FHandle = nullptr;
    }
}
