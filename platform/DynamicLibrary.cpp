#include "platform/DynamicLibrary.h"

#include <utility>

// Ownership is the same on every platform; loading and lookup are the backend's.

TDynamicLibrary::~TDynamicLibrary()
{
    Unload();
}

TDynamicLibrary::TDynamicLibrary(TDynamicLibrary&& other) noexcept
    : FHandle(std::exchange(other.FHandle, nullptr)), FLoadError(std::move(other.FLoadError))
{
}

TDynamicLibrary& TDynamicLibrary::operator=(TDynamicLibrary&& other) noexcept
{
    if (this != &other) {
        Unload();
        FHandle = std::exchange(other.FHandle, nullptr);
        FLoadError = std::move(other.FLoadError);
    }
    return *this;
}
