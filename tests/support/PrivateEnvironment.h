#pragma once

#include "ScopedEnvironment.h"
#include "TempConfigHome.h"
#include "TempFolder.h"

// Test helper: while alive, the program started from this process finds only fresh
// folders of its own: the settings store (XDG_CONFIG_HOME), the runtime folder
// (XDG_RUNTIME_DIR, where the single-instance lock lives) and the system folder
// (VELTRANE_SYSTEM_DIR, where the password providers are looked for).
class TPrivateEnvironment {
public:
    TPrivateEnvironment() = default;
    TPrivateEnvironment(const TPrivateEnvironment&) = delete;
    TPrivateEnvironment& operator=(const TPrivateEnvironment&) = delete;

    const TTempConfigHome& Config() const { return FConfig; }
    const TTempFolder& Runtime() const { return FRuntime; }
    const TTempFolder& System() const { return FSystem; }

private:
    TTempConfigHome FConfig;
    TTempFolder FRuntime{"veltrane-runtime"};
    TScopedEnvironment FRuntimeEnv{"XDG_RUNTIME_DIR", FRuntime.Path()};
    TTempFolder FSystem{"veltrane-system"};
    TScopedEnvironment FSystemEnv{"VELTRANE_SYSTEM_DIR", FSystem.Path()};
};
