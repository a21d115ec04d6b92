#pragma once

#include "classes/Persistent.h"

#include "gfx/Color.h"

#include <functional>

// A pair of colours, the ends of a gradient. Each colour is kept as given (it may
// name a system colour) and resolved to 0x00BBGGRR for painting.
//
// OnChanged is raised only when a value really changes.
class TTwainColors : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    using TChangedEvent = std::function<void(TTwainColors& sender)>;

    static constexpr TColor DefaultFromColor = clGray;
    static constexpr TColor DefaultToColor = clBlack;

    TTwainColors();
    TTwainColors(const TTwainColors&) = delete;
    TTwainColors& operator=(const TTwainColors&) = delete;

    TColor FromColor() const { return FFromColor; }
    void SetFromColor(TColor value);
    TColor ToColor() const { return FToColor; }
    void SetToColor(TColor value);
    // The two colours resolved to 0x00BBGGRR.
    TColor RGBFromColor() const { return FRGBFromColor; }
    TColor RGBToColor() const { return FRGBToColor; }

    // From another TTwainColors: both colours through their setters. Anything else
    // falls back to the framework's assignment, which fails.
    void Assign(const TPersistent& source) override;

    TChangedEvent OnChanged;

protected:
    // Raises OnChanged when a handler is set.
    virtual void Changed();

private:
    TColor FFromColor;
    TColor FToColor;
    TColor FRGBFromColor;
    TColor FRGBToColor;
};
