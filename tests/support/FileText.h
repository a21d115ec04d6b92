#pragma once

#include <string>

// Test helper: the whole content of a file, byte for byte; empty when it cannot be read.
std::string ReadFileText(const std::string& path);
