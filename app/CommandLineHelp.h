#pragma once

#include <optional>
#include <string>
#include <vector>

// The two words a person types at a shell and a screen-saver host never passes:
// `--help` and `--version` as the first argument.

// The text to print for the arguments (after the program), or nothing when they are not
// one of those two words and keep their meaning as switches.
std::optional<std::string> CommandLineHelpText(const std::vector<std::string>& arguments);
