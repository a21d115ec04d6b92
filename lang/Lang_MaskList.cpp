#include "lang/Lang_MaskList.h"

#include "classes/Strings.h"
#include "platform/AsciiText.h"

namespace {

[[noreturn]] void InvalidMask(std::string_view mask, std::size_t position)
{
    throw EMaskException("'" + std::string(mask) + "' is an invalid mask at (" + std::to_string(position + 1) + ")");
}

// The end of the set that starts at `open` (the index just past its "]"); checks the set.
std::size_t SetEnd(std::string_view mask, std::size_t open)
{
    std::size_t i = open + 1;
    if (i < mask.size() && mask[i] == '!')
        ++i;
    const std::size_t first = i;
    while (i < mask.size() && mask[i] != ']') {
        if (mask[i] == '-') {
            // A range needs a character on both sides.
            if (i == first || i + 1 >= mask.size() || mask[i + 1] == ']')
                InvalidMask(mask, i);
            i += 2;
            continue;
        }
        ++i;
    }
    if (i >= mask.size())
        InvalidMask(mask, open);
    if (i == first)
        InvalidMask(mask, i);
    return i + 1;
}

bool InSet(std::string_view set, char c)
{
    // `set` is the text between the brackets, without the "!".
    const char folded = UpCaseAscii(c);
    for (std::size_t i = 0; i < set.size(); ++i) {
        if (i + 2 < set.size() && set[i + 1] == '-') {
            const char low = UpCaseAscii(set[i]);
            const char high = UpCaseAscii(set[i + 2]);
            const auto u = static_cast<unsigned char>(folded);
            if (u >= static_cast<unsigned char>(low) && u <= static_cast<unsigned char>(high))
                return true;
            i += 2;
            continue;
        }
        if (UpCaseAscii(set[i]) == folded)
            return true;
    }
    return false;
}

// Matching with one backtracking point for the last "*", so the time stays bounded by the
// product of the lengths even for masks full of stars.
bool MatchChecked(std::string_view mask, std::string_view text)
{
    std::size_t m = 0;
    std::size_t t = 0;
    std::size_t starMask = std::string_view::npos;
    std::size_t starText = 0;
    while (t < text.size()) {
        if (m < mask.size()) {
            const char c = mask[m];
            if (c == '*') {
                starMask = ++m;
                starText = t;
                continue;
            }
            if (c == '[') {
                const std::size_t end = SetEnd(mask, m);
                const bool negate = mask[m + 1] == '!';
                const std::string_view set = mask.substr(m + (negate ? 2 : 1), end - 1 - m - (negate ? 2 : 1));
                if (InSet(set, text[t]) != negate) {
                    m = end;
                    ++t;
                    continue;
                }
            } else if (c == '?' || UpCaseAscii(c) == UpCaseAscii(text[t])) {
                ++m;
                ++t;
                continue;
            }
        }
        if (starMask == std::string_view::npos)
            return false;
        m = starMask;
        t = ++starText;
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

} // namespace

void TLang_MaskList::Check(std::string_view mask)
{
    for (std::size_t i = 0; i < mask.size(); ++i)
        if (mask[i] == '[')
            i = SetEnd(mask, i) - 1;
}

bool TLang_MaskList::Matches(std::string_view mask, std::string_view text)
{
    Check(mask);
    return MatchChecked(mask, text);
}

TLang_MaskList::TLang_MaskList(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        Check(line);
        FMasks.push_back(line);
    }
}

TLang_MaskList::TLang_MaskList(const TStrings& lines) : TLang_MaskList(lines.ToVector()) {}

bool TLang_MaskList::MatchesAny(std::string_view path) const
{
    for (const std::string& mask : FMasks)
        if (MatchChecked(mask, path))
            return true;
    return false;
}
