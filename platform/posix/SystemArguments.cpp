#include "platform/SystemArguments.h"

#include <fstream>
#include <iterator>

std::vector<std::string> SystemArguments()
{
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    std::string raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string> result;
    std::string::size_type start = 0;
    while (start < raw.size()) {
        std::string::size_type end = raw.find('\0', start);
        if (end == std::string::npos)
            end = raw.size();
        result.push_back(raw.substr(start, end - start));
        start = end + 1;
    }
    return result;
}
