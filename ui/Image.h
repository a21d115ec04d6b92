#pragma once

#include "ui/GraphicControl.h"
#include "ui/Picture.h"

// A picture on its parent's surface. The picture is drawn at the top-left corner at its own
// size, or centred (Center), or stretched over the control (Stretch; Proportional keeps the
// aspect ratio and never enlarges). With Transparent, pixels of the colour of the picture's
// bottom-left pixel are left out. AutoSize fits the control to the picture. Clicks raise
// OnClick; the control is drawn as nothing while the picture is empty.
class TImage : public TGraphicControl {
public:
    VELTRANE_CLASS_INFO

    explicit TImage(TComponent* owner);

    TPicture* Picture() const { return const_cast<TPicture*>(&FPicture); }
    void SetPicture(TPicture* value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    // Where the picture lands inside the control (client coordinates).
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();

    TPicture FPicture;
    bool FAutoSize = false;
    bool FCenter = false;
    bool FStretch = false;
    bool FProportional = false;
    bool FTransparent = false;
};
