#include "ui/PersistentFont.h"

#include "classes/Published.h"
#include "ui/ColorIdents.h"

const TClassInfo& TPersistentFont::StaticClass()
{
    using T = TPersistentFont;
    static const TClassInfo info = MakeClass<T, TPersistent>(
        "TFont",
        {
            Published<T>("Charset", &T::GetCharset, &T::SetCharset).Idents(CharsetIdentToInt).Default(DEFAULT_CHARSET),
            Published<T>("Color", &T::GetColor, &T::SetColor).Idents(ColorIdentToInt),
            Published<T>("Height", &T::GetHeight, &T::SetHeight),
            Published<T>("Name", &T::GetName, &T::SetName),
            Published<T>("Orientation", &T::GetOrientation, &T::SetOrientation).Default(0),
            Published<T>("Pitch", &T::GetPitch, &T::SetPitch).Default(fpDefault),
            Published<T>("Size", &T::GetSize, &T::SetSize).Stored(false),
            Published<T>("Style", &T::GetStyle, &T::SetStyle),
        });
    return info;
}

void TPersistentFont::Assign(const TPersistent& source)
{
    if (const auto* font = dynamic_cast<const TPersistentFont*>(&source)) {
        FFont.Assign(font->FFont);
        return;
    }
    TPersistent::Assign(source);
}
