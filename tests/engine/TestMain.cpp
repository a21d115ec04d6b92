// The engine's and the view's test programs stand in for the saver's executable: a
// password provider is called in a child that is this program started again.

#include <gtest/gtest.h>

#include "engine/ProviderCall.h"

int main(int argc, char** argv)
{
    if (const std::optional<int> code = TProviderCall::RunIfAsked(argc, argv))
        return *code;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
