#include "widgets/RotatedFont.h"

TFont CreateRotatedFont(const TFont& font, int escapement)
{
    TFont result;
    result.SetName(font.Name());
    result.SetHeight(font.Height());
    result.SetCharset(font.Charset());
    TFontStyles style;
    if (font.Weight() >= 700)
        style.Include(fsBold);
    for (TFontStyle s : {fsItalic, fsUnderline, fsStrikeOut})
        if (font.Style().Contains(s))
            style.Include(s);
    result.SetStyle(style);
    result.SetPitch(font.Pitch() == fpVariable || font.Pitch() == fpFixed ? font.Pitch() : fpDefault);
    result.SetEscapement(escapement);
    result.SetOrientation(0);
    return result;
}
