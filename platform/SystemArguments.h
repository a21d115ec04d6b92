#pragma once

#include <string>
#include <vector>

// The arguments the system started the process with, in UTF-8, entry 0 the program.
std::vector<std::string> SystemArguments();
