#pragma once

#include <gtest/gtest.h>

#include "support/PrivateEnvironment.h"

// Every engine test starts from its own settings store, runtime folder and system folder.
class EngineTest : public testing::Test {
protected:
    TPrivateEnvironment FEnvironment;
    const TTempConfigHome& FConfig = FEnvironment.Config();
    const TTempFolder& FRuntime = FEnvironment.Runtime();
    const TTempFolder& FSystem = FEnvironment.System();
};
