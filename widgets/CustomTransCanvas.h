#pragma once

#include "widgets/TransBlend.h"
#include "widgets/TransTypes.h"

#include "ui/GraphicControl.h"

#include "gfx/Bitmap.h"
#include "gfx/Color.h"

#include <functional>

class TCanvas;

// Per-pixel merge: fore and back colour in, the merge colour set by the handler.
using TCalcEvent = std::function<void(TObject* sender, TRGB foreColor, TRGB backColor, TRGB& mergeColor, int x, int y)>;
// Drawing under the figure, on the drawing surface's canvas.
using TPaintEvent = std::function<void(TObject* sender, TCanvas& canvas)>;

// A windowless control whose drawing is blended, pixel by pixel, with what lies beneath it
// on screen, so that it looks translucent.
//
// Each paint captures the pixels beneath the control from its form's back buffer (the
// controls beneath were painted earlier in the same pass), draws the foreground on a white
// surface of the control's size (DrawContent), blends the two by the Trans* rules
// (widgets/TransBlend.h) and draws the result. A setter marked "recompose" blends again
// at once with the last capture, without a paint pass.
//
// Where the blend reads the parent's size, a control without parent is limited by its own
// size only; the region is always cut to the capture and the new surfaces, so a size change
// before the next paint is harmless.
class TCustomTransCanvas : public TGraphicControl {
public:
    VELTRANE_CLASS_INFO

    explicit TCustomTransCanvas(TComponent* owner);
    ~TCustomTransCanvas() override;

    TCanvasType CanvasType() const { return FCanvasType; }
    void SetCanvasType(TCanvasType value);
    TTransType TransType() const { return FTransType; }
    void SetTransType(TTransType value);
    TTransFade TransFade() const { return FTransFade; }
    void SetTransFade(TTransFade value);
    bool Inverse() const { return FInverse; }
    void SetInverse(bool value);
    // 0..100; other values and the current one are ignored.
    int TransPercent() const { return FTransPercent; }
    void SetTransPercent(int value);
    int TransMinCutoff() const { return FTransMinCutoff; }
    void SetTransMinCutoff(int value);
    int TransMaxCutoff() const { return FTransMaxCutoff; }
    void SetTransMaxCutoff(int value);
    TColor TransKeyColor() const { return FTransKeyColor; }
    void SetTransKeyColor(TColor value);
    // Any value; the bias is value / 100.
    int TransBiasPercent() const { return FTransBiasPercent; }
    void SetTransBiasPercent(int value);
    double TransBias() const { return FTransBias; }
    int ScreenBiasPercent() const { return FScreenBiasPercent; }
    void SetScreenBiasPercent(int value);
    double ScreenBias() const { return FScreenBias; }
    bool UseCalcEvent() const { return FUseCalcEvent; }
    void SetUseCalcEvent(bool value) { FUseCalcEvent = value; }
    const TCalcEvent& OnCalc() const { return FOnCalc; }
    void SetOnCalc(TCalcEvent handler) { FOnCalc = std::move(handler); }
    const TPaintEvent& OnPaint() const { return FOnPaint; }
    void SetOnPaint(TPaintEvent handler) { FOnPaint = std::move(handler); }

    // The background captured at the last paint (24 bits a pixel).
    const TBitmap& Capture() const { return FCapture; }

    // Copies what lies beneath the control into Capture.
    void CaptureBackground();
    // Draws the foreground, blends it with Capture and draws the result on the control;
    // nothing while the control is not showing.
    void Compose();

    int ApplyFade(int x, int y, int percent);
    static double BiasCurve(double value, double amount) { return ::BiasCurve(value, amount); }
    static std::uint8_t MixChannel(int fore, int back, int percent) { return ::MixChannel(fore, back, percent); }
    static std::uint8_t FilterChannel(int foreSum, int back, int percent)
    {
        return ::FilterChannel(foreSum, back, percent);
    }

protected:
    void Paint() override;
    // Draws the foreground on canvas, the canvas of a surface of the control's size: the
    // background copy when TransType is ttNone, then OnPaint.
    virtual void DrawContent(TCanvas& canvas);

    TCanvasType FCanvasType = ctTransparent;
    int FTransBiasPercent = 0;
    double FTransBias = 0.0;
    double FScreenBias = 0.0;
    int FScreenBiasPercent = 0;
    TTransFade FTransFade = tfNone;
    TCalcEvent FOnCalc;
    bool FUseCalcEvent = false;
    TPaintEvent FOnPaint;
    int FTransMinCutoff = 0;
    int FTransMaxCutoff = 100;
    bool FInverse = false;
    TTransType FTransType = ttNone;
    int FTransPercent = 50;
    TColor FTransKeyColor = clBlack;
    TBitmap FCapture;

private:
    template <class V>
    void SetAndInvalidate(V& field, V value)
    {
        if (field == value)
            return;
        field = value;
        Invalidate();
    }
    TTransBlendSettings BlendSettings();
    // The part of the control within its parent (the whole control without parent).
    TSize ExtentInParent() const;
};
