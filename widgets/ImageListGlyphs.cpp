#include "widgets/ImageListGlyphs.h"

#include "ui/ImageList.h"

int TImageListGlyphs::ImageWidth() const
{
    return FList.Width();
}
int TImageListGlyphs::ImageHeight() const
{
    return FList.Height();
}
int TImageListGlyphs::ImageCount() const
{
    return FList.Count();
}

void TImageListGlyphs::DrawImage(TCanvas& canvas, int x, int y, int index) const
{
    FList.Draw(canvas, x, y, index, true);
}
