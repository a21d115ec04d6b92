#include "lang/LangEscapes.h"

namespace {

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

std::u16string UnescapeText(std::u16string_view text)
{
    std::u16string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c != u'\\' || i + 1 >= text.size()) {
            result.push_back(c);
            ++i;
            continue;
        }
        const char16_t next = text[i + 1];
        if (next == u'\\') {
            result.push_back(u'\\');
            i += 2;
        } else if (next == u'n') {
            result += u"\r\n";
            i += 2;
        } else if (next == u't') {
            result.push_back(u'\t');
            i += 2;
        } else if (IsDigit(next) && i + 2 < text.size() && IsDigit(text[i + 2])) {
            result.push_back(static_cast<char16_t>((next - u'0') * 10 + (text[i + 2] - u'0')));
            i += 3;
        } else {
            // Not an escape: keep the backslash and read the next character normally.
            result.push_back(c);
            ++i;
        }
    }
    return result;
}

std::u16string EscapeText(std::u16string_view text)
{
    std::u16string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            result += u"\\n";
            // CR LF and LF CR are one line end.
            const char16_t partner = c == u'\r' ? u'\n' : u'\r';
            i += (i + 1 < text.size() && text[i + 1] == partner) ? 2 : 1;
            continue;
        }
        if (c == u'\t') {
            result += u"\\t";
        } else if (c == u'\\') {
            result += u"\\\\";
        } else if (c < 32) {
            result.push_back(u'\\');
            result.push_back(static_cast<char16_t>(u'0' + c / 10));
            result.push_back(static_cast<char16_t>(u'0' + c % 10));
        } else {
            result.push_back(c);
        }
        ++i;
    }
    return result;
}
