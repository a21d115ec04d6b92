#pragma once

#include <string>
#include <vector>

// The process arguments as the platform splits them. Entry 0 is the program.
// The program entry hands them over once with SetCommandLine; before that, the
// arguments the system started the process with (/proc/self/cmdline) are answered.

void SetCommandLine(int argc, const char* const* argv);
void SetCommandLine(std::vector<std::string> arguments);

// The number of arguments after the program.
int ParamCount();
// Argument `index` (0 the program, 1 to ParamCount() the arguments); "" out of range.
std::string ParamStr(int index);
// Arguments 1 to ParamCount().
std::vector<std::string> ParamList();
