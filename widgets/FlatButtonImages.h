#pragma once

class TCanvas;

// What a flat button needs of an image list: the size of its images, how many there
// are, and drawing image n with its top-left corner at a point in its normal look.
class TFlatButtonImages {
public:
    virtual ~TFlatButtonImages() = default;
    virtual int ImageWidth() const = 0;
    virtual int ImageHeight() const = 0;
    virtual int ImageCount() const = 0;
    virtual void DrawImage(TCanvas& canvas, int x, int y, int index) const = 0;
};
