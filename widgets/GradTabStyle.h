#pragma once

#include "widgets/GradTypes.h"
#include "widgets/Gradient.h"

#include "ui/PersistentFont.h"

#include "gfx/Color.h"
#include "gfx/Font.h"

#include <functional>

// What a tab style needs from the control that owns it: the control's own font, which the
// tab layout is measured with, and a way to enlarge it.
class TGradTabStyleOwner {
public:
    virtual const TFont& TabControlFont() const = 0;
    virtual void SetTabControlFont(const TFont& font) = 0;

protected:
    ~TGradTabStyleOwner() = default;
};

// How one kind of tab is painted: a gradient, bevel lines on chosen sides, a background
// colour, a caption font with a 3-D text style and alignment, and a glyph alignment.
//
// Setters store the value and raise OnChanged only when it differs. Assigning Font copies
// the font in, enlarges the owner's font when the new one is larger (so the tabs grow to
// fit it), and raises OnFontChanged whether or not anything changed; changing a value of
// the font directly raises nothing.
class TGradTabStyle : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    using TNotify = std::function<void(TGradTabStyle& sender)>;

    // The font starts as a copy of the owner's font.
    explicit TGradTabStyle(TGradTabStyleOwner* ownerControl = nullptr);
    TGradTabStyle(const TGradTabStyle&) = delete;
    TGradTabStyle& operator=(const TGradTabStyle&) = delete;

    TglSides Borders() const { return FBorders; }
    void SetBorders(TglSides value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    // The dark sides of a bevel get two lines instead of one.
    bool Bold() const { return FBold; }
    void SetBold(bool value);
    TColor BackgrColor() const { return FBackgrColor; }
    void SetBackgrColor(TColor value);
    TFont& Font() { return FFont.Font(); }
    const TFont& Font() const { return FFont.Font(); }
    TPersistentFont* GetFont() const { return const_cast<TPersistentFont*>(&FFont); }
    void SetFont(TPersistentFont* value);
    void SetFont(const TFont& value);
    TglTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TglTextStyle value);
    TglHorAlign CaptionHAlign() const { return FCaptionHAlign; }
    void SetCaptionHAlign(TglHorAlign value);
    TglVertAlign CaptionVAlign() const { return FCaptionVAlign; }
    void SetCaptionVAlign(TglVertAlign value);
    TglHorAlign GlyphHAlign() const { return FGlyphHAlign; }
    void SetGlyphHAlign(TglHorAlign value);
    TglVertAlign GlyphVAlign() const { return FGlyphVAlign; }
    void SetGlyphVAlign(TglVertAlign value);
    TGradient& Gradient() { return FGradient; }
    const TGradient& Gradient() const { return FGradient; }
    TGradient* GetGradient() const { return const_cast<TGradient*>(&FGradient); }
    // Copies the given gradient's values into the owned one.
    void SetGradient(TGradient* value);

    TGradTabStyleOwner* OwnerControl() const { return FOwnerControl; }

    // From another style: every value, the font through SetFont (so OnFontChanged follows).
    void Assign(const TPersistent& source) override;

    TNotify OnChanged;
    TNotify OnFontChanged;

private:
    void Changed();
    template <class V>
    void Set(V& field, V value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }

    TGradTabStyleOwner* FOwnerControl;
    TglSides FBorders = AllSides;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvNone;
    bool FBold = false;
    TColor FBackgrColor = clBtnFace;
    TPersistentFont FFont;
    TglTextStyle FTextStyle = fstNone;
    TglHorAlign FCaptionHAlign = fhaLeft;
    TglVertAlign FCaptionVAlign = fvaCenter;
    TglHorAlign FGlyphHAlign = fhaLeft;
    TglVertAlign FGlyphVAlign = fvaCenter;
    TGradient FGradient;
};
