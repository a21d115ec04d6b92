#pragma once

#include "widgets/FlatButtonImages.h"

class TImageList;

// A framework image list seen as the image source of a flat button: its image size and
// count, and its images drawn in their normal (enabled) look.
class TImageListGlyphs : public TFlatButtonImages {
public:
    explicit TImageListGlyphs(const TImageList& list) : FList(list) {}

    int ImageWidth() const override;
    int ImageHeight() const override;
    int ImageCount() const override;
    void DrawImage(TCanvas& canvas, int x, int y, int index) const override;

private:
    const TImageList& FList;
};
