#pragma once

#include <gtest/gtest.h>

#include "support/ScopedEnvironment.h"
#include "support/TempConfigHome.h"
#include "support/TempFolder.h"

// Every engine test starts from its own settings store, runtime folder and system folder.
class EngineTest : public testing::Test {
protected:
    TTempConfigHome FConfig;
    TTempFolder FRuntime{"veltrane-runtime"};
    TScopedEnvironment FRuntimeEnv{"XDG_RUNTIME_DIR", FRuntime.Path()};
    TTempFolder FSystem{"veltrane-system"};
    TScopedEnvironment FSystemEnv{"VELTRANE_SYSTEM_DIR", FSystem.Path()};
};
