#pragma once

#include <filesystem>

// Test helper: the source and the build tree, from $VELTRANE_SOURCE_DIR and
// $VELTRANE_BINARY_DIR, which ctest hands every test. Throws std::runtime_error naming the
// variable when it is missing, so that a test started some other way fails clearly.
std::filesystem::path TestSourceDir();
std::filesystem::path TestBinaryDir();
