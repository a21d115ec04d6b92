#pragma once

#include "gfx/Color.h"

#include <cstdint>
#include <functional>

// bsSolid and bsClear, then the six hatches in their usual order (hatch index = style - 2).
enum TBrushStyle : std::uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// A brush: colour and style. Hatches are 8 x 8 patterns aligned to the device origin;
// their lines take the brush colour and the gaps the background (when opaque).
// OnChange is raised only when a value really changes.
class TBrush {
public:
    TColor Color() const { return FColor; }
    TBrushStyle Style() const { return FStyle; }

    void SetColor(TColor value);
    void SetStyle(TBrushStyle value);
    // Copies colour and style (not OnChange); one OnChange when anything differed.
    void Assign(const TBrush& source);

    bool SameValues(const TBrush& other) const { return FColor == other.FColor && FStyle == other.FStyle; }

    std::function<void()> OnChange;

private:
    void Changed();

    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

// Whether the hatch of the given style covers device pixel (x, y).
bool HatchCovers(TBrushStyle style, int x, int y);
