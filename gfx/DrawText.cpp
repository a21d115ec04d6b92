#include "gfx/DrawText.h"

#include <algorithm>
#include <vector>

#include "gfx/FontCache.h"
#include "platform/Cp1252.h"
#include "platform/Utf.h"

namespace {

struct TChar {
    char32_t Code;
    bool Underline;
};
using TLine = std::vector<TChar>;

constexpr char32_t Ellipsis[] = {U'.', U'.', U'.'};

// Removes '&' prefixes: "&&" is a literal '&', "&x" marks x, a final '&' vanishes.
TLine StripPrefixes(const std::u32string& text, std::uint32_t format) {
    TLine out;
    out.reserve(text.size());
    bool prefixes = (format & DT_NOPREFIX) == 0;
    bool show = (format & DT_HIDEPREFIX) == 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (prefixes && text[i] == U'&') {
            if (i + 1 >= text.size()) break;
            ++i;
            out.push_back({text[i], show && text[i] != U'&'});
        } else {
            out.push_back({text[i], false});
        }
    }
    return out;
}

std::vector<TLine> SplitHardLines(const TLine& text, bool singleLine) {
    std::vector<TLine> lines(1);
    if (singleLine) { lines[0] = text; return lines; }
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i].Code;
        if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && i + 1 < text.size() && text[i + 1].Code == U'\n') ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(text[i]);
        }
    }
    return lines;
}

class TLayout {
public:
    TLayout(const TFont& font, std::uint32_t format) : FFace(TFontCache::Instance().Face(font)), FFormat(format) {
        FTabWidth = 8 * std::max(1, FFace->Metrics().AveCharWidth);
    }

    int Advance(char32_t c) const { return FFace->Glyph(c).Advance; }

    // x after placing c at x, tabs jumping to the next stop when expanded.
    int Step(int x, char32_t c) const {
        if (c == U'\t' && (FFormat & DT_EXPANDTABS) != 0) return (x / FTabWidth + 1) * FTabWidth;
        return x + Advance(c);
    }

    int Width(const TLine& line, std::size_t from, std::size_t to) const {
        int x = 0;
        for (std::size_t i = from; i < to; ++i) x = Step(x, line[i].Code);
        return x;
    }
    int Width(const TLine& line) const { return Width(line, 0, line.size()); }

    int LineHeight() const {
        const TFaceMetrics& m = FFace->Metrics();
        return m.Ascent + m.Descent + ((FFormat & DT_EXTERNALLEADING) ? m.ExternalLeading : 0);
    }

    // Greedy word wrap at blanks; a word wider than the line stands alone on its line.
    void Wrap(const TLine& line, int maxWidth, std::vector<TLine>& out) const {
        if (line.empty()) { out.emplace_back(); return; }
        std::size_t pos = 0;
        const std::size_t n = line.size();
        while (pos < n) {
            std::size_t end = pos;      // end of the last word that fits
            std::size_t i = pos;
            while (i < n) {
                std::size_t wordEnd = i;
                while (wordEnd < n && line[wordEnd].Code == U' ') ++wordEnd;
                while (wordEnd < n && line[wordEnd].Code != U' ') ++wordEnd;
                if (end != pos && Width(line, pos, wordEnd) > maxWidth) break;
                end = wordEnd;
                i = wordEnd;
                if (Width(line, pos, end) > maxWidth) break;
            }
            std::size_t trimmed = end;
            while (trimmed > pos && line[trimmed - 1].Code == U' ') --trimmed;
            out.emplace_back(line.begin() + static_cast<std::ptrdiff_t>(pos), line.begin() + static_cast<std::ptrdiff_t>(trimmed));
            pos = end;
            while (pos < n && line[pos].Code == U' ') ++pos;
        }
    }

    void EndEllipsis(TLine& line, int maxWidth) const {
        TLine dots;
        for (char32_t c : Ellipsis) dots.push_back({c, false});
        int dotsWidth = Width(dots);
        while (!line.empty() && Width(line) + dotsWidth > maxWidth) line.pop_back();
        line.insert(line.end(), dots.begin(), dots.end());
    }

    // Keeps the part from the last path separator and as much of the start as fits.
    void PathEllipsis(TLine& line, int maxWidth) const {
        std::size_t sep = line.size();
        for (std::size_t i = line.size(); i-- > 0;)
            if (line[i].Code == U'\\' || line[i].Code == U'/') { sep = i; break; }
        if (sep == line.size() || sep == 0) { EndEllipsis(line, maxWidth); return; }
        TLine head(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(sep));
        TLine tail(line.begin() + static_cast<std::ptrdiff_t>(sep), line.end());
        TLine dots;
        for (char32_t c : Ellipsis) dots.push_back({c, false});
        int rest = Width(dots) + Width(tail);
        while (!head.empty() && Width(head) + rest > maxWidth) head.pop_back();
        head.insert(head.end(), dots.begin(), dots.end());
        head.insert(head.end(), tail.begin(), tail.end());
        line = std::move(head);
    }

private:
    std::shared_ptr<TSizedFace> FFace;
    std::uint32_t FFormat;
    int FTabWidth;
};

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(c));
    }
}

// Draws one laid-out line: runs split at expanded tabs and at prefix underlines.
void DrawLine(TBitmap& target, const TLayout& layout, const TFont& plain, const TFont& underlined, const TLine& line,
              int x, int y, std::uint32_t format, const TTextOutOptions& options) {
    std::size_t i = 0;
    int pen = 0;
    while (i < line.size()) {
        if (line[i].Code == U'\t' && (format & DT_EXPANDTABS) != 0) {
            pen = layout.Step(pen, U'\t');
            ++i;
            continue;
        }
        bool underline = line[i].Underline;
        std::u16string run;
        int start = pen;
        while (i < line.size() && line[i].Underline == underline &&
               !(line[i].Code == U'\t' && (format & DT_EXPANDTABS) != 0)) {
            AppendUtf16(run, line[i].Code);
            pen = layout.Step(pen, line[i].Code);
            ++i;
        }
        TTextRenderer::TextOut(target, underline ? underlined : plain, x + start, y, std::u16string_view(run), options);
    }
}

} // namespace

int DrawFormattedText(TBitmap* target, const TFont& font, std::string_view text, TRect& rect, std::uint32_t format,
                      const TTextOutOptions& options) {
    return DrawFormattedText(target, font, std::u16string_view(Cp1252ToWide(text)), rect, format, options);
}

int DrawFormattedText(TBitmap* target, const TFont& font, std::u16string_view text, TRect& rect, std::uint32_t format,
                      const TTextOutOptions& options) {
    const bool calcRect = (format & DT_CALCRECT) != 0;
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    if (!calcRect && target == nullptr) return 0;

    TFont plain(font);
    plain.SetEscapement(0);
    plain.SetOrientation(0);
    TFont underlined(plain);
    underlined.SetStyle(plain.Style() + fsUnderline);
    TLayout layout(plain, format);

    TLine chars = StripPrefixes(Utf16ToUtf32(text), format);
    if (chars.empty()) {
        if (calcRect) { rect.Right = rect.Left; rect.Bottom = rect.Top; }
        return 0;
    }
    std::vector<TLine> hardLines = SplitHardLines(chars, singleLine);
    const int maxWidth = rect.Width();
    std::vector<TLine> lines;
    if ((format & DT_WORDBREAK) != 0 && !singleLine) {
        for (const TLine& line : hardLines) layout.Wrap(line, maxWidth, lines);
    } else {
        lines = std::move(hardLines);
    }

    // Ellipses shorten what is drawn; measuring reports the full size.
    if (!calcRect) {
        for (TLine& line : lines) {
            if (layout.Width(line) <= maxWidth) continue;
            if (format & DT_PATH_ELLIPSIS) layout.PathEllipsis(line, maxWidth);
            else if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) layout.EndEllipsis(line, maxWidth);
        }
    }

    const int lineHeight = layout.LineHeight();
    const int totalHeight = lineHeight * static_cast<int>(lines.size());
    if (calcRect) {
        int widest = 0;
        for (const TLine& line : lines) widest = std::max(widest, layout.Width(line));
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + totalHeight;
        return totalHeight;
    }

    int y = rect.Top;
    if (singleLine && (format & DT_VCENTER)) y = rect.Top + (rect.Height() - lineHeight) / 2;
    else if (singleLine && (format & DT_BOTTOM)) y = rect.Bottom - lineHeight;

    TTextOutOptions lineOptions = options;
    if ((format & DT_NOCLIP) == 0) {
        lineOptions.Clip = options.Clip ? rect.Intersect(*options.Clip) : rect;
    }
    int lineTop = y;
    for (const TLine& line : lines) {
        int width = layout.Width(line);
        int x = rect.Left;
        if (format & DT_CENTER) x = rect.Left + (maxWidth - width) / 2;
        else if (format & DT_RIGHT) x = rect.Right - width;
        if ((format & DT_PREFIXONLY) == 0) DrawLine(*target, layout, plain, underlined, line, x, lineTop, format, lineOptions);
        lineTop += lineHeight;
    }
    if (singleLine && (format & (DT_VCENTER | DT_BOTTOM))) return y - rect.Top + totalHeight;
    return totalHeight;
}
