#pragma once

#include <string>

// A shared library loaded by path, unloaded when the object goes. A library that does
// not load leaves the object empty; that is not an error.
class TDynamicLibrary {
public:
    TDynamicLibrary() = default;
    explicit TDynamicLibrary(const std::string& path);
    ~TDynamicLibrary();
    TDynamicLibrary(TDynamicLibrary&& other) noexcept;
    TDynamicLibrary& operator=(TDynamicLibrary&& other) noexcept;
    TDynamicLibrary(const TDynamicLibrary&) = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

    bool Loaded() const { return FHandle != nullptr; }
    explicit operator bool() const { return Loaded(); }
    // Why the last load failed (the loader's own text); empty after a success.
    const std::string& LoadError() const { return FLoadError; }

    // The address of an exported symbol; nullptr when absent or nothing is loaded.
    void* Symbol(const std::string& name) const;
    // An exported function with C linkage, typed: Function<int(unsigned)>("Name").
    template <class TSignature>
    TSignature* Function(const std::string& name) const
    {
        return reinterpret_cast<TSignature*>(Symbol(name));
    }

    // Unloads now; the object is empty afterwards.
    void Unload();

private:
    void* FHandle = nullptr;
    std::string FLoadError;
};
