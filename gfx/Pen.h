#pragma once

#include "gfx/Color.h"

#include <cstdint>
#include <functional>

enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// How the pen (and the brush of filled figures) combines with the pixels beneath.
enum TPenMode : std::uint8_t {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

// A pen: colour, width, style and mix mode. Width 0 and 1 draw a one-pixel cosmetic
// line that may be styled; wider pens are solid and centred on the outline.
// OnChange is raised only when a value really changes.
class TPen {
public:
    TColor Color() const { return FColor; }
    int Width() const { return FWidth; }
    TPenStyle Style() const { return FStyle; }
    TPenMode Mode() const { return FMode; }

    void SetColor(TColor value);
    void SetWidth(int value);
    void SetStyle(TPenStyle value);
    void SetMode(TPenMode value);
    // Copies colour, width, style and mode (not OnChange); one OnChange when anything differed.
    void Assign(const TPen& source);

    bool SameValues(const TPen& other) const
    {
        return FColor == other.FColor && FWidth == other.FWidth && FStyle == other.FStyle && FMode == other.FMode;
    }

    std::function<void()> OnChange;

private:
    void Changed();

    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};
