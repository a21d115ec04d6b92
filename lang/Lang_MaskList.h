#pragma once

#include "platform/Exception.h"

#include <string>
#include <string_view>
#include <vector>

class TStrings;

// A mask line that is not a valid mask: "'%s' is an invalid mask at (%d)".
VELTRANE_EXCEPTION(EMaskException, Exception);

// File-name style masks of full property paths, one per line: "*" matches any run of
// characters, "?" any one, "[set]" one character of the set (ranges such as a-z, a leading
// "!" for the complement). A mask covers the whole path; ASCII letter case is ignored.
class TLang_MaskList {
public:
    TLang_MaskList() = default;
    // Checks every line; raises EMaskException for the first invalid one.
    explicit TLang_MaskList(const TStrings& lines);
    explicit TLang_MaskList(const std::vector<std::string>& lines);

    bool Empty() const { return FMasks.empty(); }
    bool MatchesAny(std::string_view path) const;

    // Whether one mask matches a whole text; raises EMaskException when the mask is invalid.
    static bool Matches(std::string_view mask, std::string_view text);
    // Raises EMaskException when the mask is invalid.
    static void Check(std::string_view mask);

private:
    std::vector<std::string> FMasks;
};
