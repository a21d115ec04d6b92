#include "FormTestSupport.h"

#include <gtest/gtest.h>

namespace {

class ControlPaintTest : public ::testing::Test, public TFormFixture {
protected:
    TFillGraphic& AddGraphic(int left, int top, int width, int height, TColor color, TWinControl* parent = nullptr) {
        auto& g = Form->CreateComponent<TFillGraphic>();
        g.SetParent(parent ? parent : Form);
        g.SetBounds(left, top, width, height);
        g.SetColor(color);
        return g;
    }
};

TEST_F(ControlPaintTest, FormBackgroundAndControlsArePresentedInZOrder) {
    AddGraphic(10, 10, 30, 20, clRed);
    AddGraphic(30, 15, 30, 20, clLime);  // above the red one
    ShowForm();
    EXPECT_EQ(Pixel(0, 0), clBlue);
    EXPECT_EQ(Pixel(199, 149), clBlue);
    EXPECT_EQ(Pixel(10, 10), clRed);
    EXPECT_EQ(Pixel(29, 29), clRed);
    EXPECT_EQ(Pixel(30, 15), clLime);
    EXPECT_EQ(Pixel(39, 29), clLime);
    EXPECT_EQ(Pixel(40, 10), clBlue) << "right edge exclusive";
    EXPECT_EQ(Pixel(10, 30), clBlue) << "bottom edge exclusive";
}

TEST_F(ControlPaintTest, ChildrenAreClippedToTheirParent) {
    auto& panel = Form->CreateComponent<TLogControl>(nullptr, "panel");
    panel.SetParent(Form);
    panel.SetBounds(20, 20, 50, 40);
    panel.SetColor(clYellow);
    AddGraphic(40, 30, 30, 30, clRed, &panel);  // reaches 10 and 20 pixels past the panel
    ShowForm();
    EXPECT_EQ(Pixel(20, 20), clYellow) << "windowed controls fill their background";
    EXPECT_EQ(Pixel(60, 50), clRed);
    EXPECT_EQ(Pixel(69, 59), clRed);
    EXPECT_EQ(Pixel(70, 59), clBlue);
    EXPECT_EQ(Pixel(69, 60), clBlue);
}

TEST_F(ControlPaintTest, InvalidateRepaintsOnlyAfterTheEventAndRepaintAtOnce) {
    auto& g = AddGraphic(10, 10, 20, 20, clRed);
    ShowForm();
    const int before = g.Paints;
    g.SetColor(clLime);  // invalidates
    EXPECT_EQ(g.Paints, before);
    EXPECT_EQ(Pixel(15, 15), clRed) << "nothing drawn before the next pass";
    App.ProcessMessages();
    EXPECT_EQ(g.Paints, before + 1);
    EXPECT_EQ(Pixel(15, 15), clLime);

    g.SetColor(clWhite);
    g.Repaint();
    EXPECT_EQ(g.Paints, before + 2);
    EXPECT_EQ(Pixel(15, 15), clWhite) << "Repaint paints and presents before it returns";
}

TEST_F(ControlPaintTest, HidingOrMovingAControlRepaintsWhatItCovered) {
    auto& g = AddGraphic(10, 10, 20, 20, clRed);
    ShowForm();
    g.SetLeft(50);
    App.ProcessMessages();
    EXPECT_EQ(Pixel(15, 15), clBlue);
    EXPECT_EQ(Pixel(55, 15), clRed);
    g.Hide();
    App.ProcessMessages();
    EXPECT_EQ(Pixel(55, 15), clBlue);
}

TEST_F(ControlPaintTest, CanvasOutsidePaintIsClippedToTheControlAndPresentedAfterTheEvent) {
    auto& g = AddGraphic(10, 10, 20, 20, clRed);
    ShowForm();
    TCanvas& canvas = g.Canvas();
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(Rect(-5, -5, 100, 100));
    App.ProcessMessages();
    EXPECT_EQ(Pixel(10, 10), clWhite);
    EXPECT_EQ(Pixel(29, 29), clWhite);
    EXPECT_EQ(Pixel(30, 30), clBlue);
    EXPECT_EQ(Pixel(9, 9), clBlue);
}

TEST_F(ControlPaintTest, PaintingCanvasHasTheControlsFontAndColourAndChangesAreUndone) {
    struct TProbe : TGraphicControl {
        using TGraphicControl::TGraphicControl;
        TColor BrushSeen = 0;
        std::string FontSeen;
        void Paint() override {
            BrushSeen = Canvas().Brush().Color();
            FontSeen = Canvas().Font().Name();
            Canvas().Brush().SetColor(clRed);
            Canvas().MoveOrigin(5, 5);
        }
    };
    auto& p = Form->CreateComponent<TProbe>();
    p.SetParent(Form);
    p.SetBounds(0, 0, 10, 10);
    p.SetColor(clAqua);
    p.Font().SetName("Arial");
    ShowForm();
    EXPECT_EQ(p.BrushSeen, clAqua);
    EXPECT_EQ(p.FontSeen, "Arial");
    EXPECT_EQ(p.Canvas().Origin(), (TPoint{0, 0}));
}

TEST_F(ControlPaintTest, OpaqueWindowedControlsSkipTheBackgroundFill) {
    auto& panel = Form->CreateComponent<TLogControl>(nullptr, "panel");
    panel.SetParent(Form);
    panel.SetBounds(20, 20, 50, 40);
    panel.SetColor(clYellow);
    panel.SetControlStyle(panel.ControlStyle() + TControlStyle{csOpaque});
    ShowForm();
    EXPECT_EQ(Pixel(30, 30), clBlue) << "what the form painted stays";
}

TEST_F(ControlPaintTest, ExposedAreasAreRepainted) {
    AddGraphic(10, 10, 20, 20, clRed);
    ShowForm();
    TBitmap black(1, 1, TPixelFormat::pf32bit);
    black.Fill(clBlack);
    Display.PresentBits(Window(), 15, 15, TPixelView{black.Bits(), 1, 1, black.Stride(), true, 4}, TWindowRect{0, 0, 1, 1});
    ASSERT_EQ(Pixel(15, 15), clBlack);
    TDisplayEvent expose;
    expose.Kind = dePaint;
    expose.Window = Window();
    expose.Rect = TWindowRect{0, 0, 200, 150};
    const int presents = Display.PresentCount(Window());
    Display.InjectEvent(expose);
    App.ProcessMessages();
    EXPECT_GT(Display.PresentCount(Window()), presents);
    EXPECT_EQ(Pixel(15, 15), clRed);
}

TEST_F(ControlPaintTest, FormOnPaintDrawsAfterTheBackgroundIsOnTheWindow) {
    std::uint32_t windowPixelDuringPaint = 0;
    Form->SetOnPaint([&](TObject*) {
        windowPixelDuringPaint = Pixel(5, 5);
        Form->Canvas().Brush().SetColor(clRed);
        Form->Canvas().FillRect(Rect(0, 0, 10, 10));
    });
    ShowForm();
    EXPECT_EQ(windowPixelDuringPaint, clBlue);
    EXPECT_EQ(Pixel(5, 5), clRed);
    EXPECT_EQ(Pixel(10, 10), clBlue);
}

TEST_F(ControlPaintTest, ParentFontAndParentColorFollowTheParent) {
    auto& panel = Form->CreateComponent<TLogControl>(nullptr, "panel");
    panel.SetParent(Form);
    auto& child = Form->CreateComponent<TFillGraphic>();
    child.SetParentColor(true);
    child.SetParent(&panel);
    Form->Font().SetName("Tahoma");
    EXPECT_EQ(panel.Font().Name(), "Tahoma");
    EXPECT_EQ(child.Font().Name(), "Tahoma");
    panel.SetColor(clYellow);
    EXPECT_EQ(child.Color(), clYellow);
    child.Font().SetHeight(-20);
    EXPECT_FALSE(child.ParentFont()) << "a font of its own ends following the parent";
    Form->Font().SetName("Arial");
    EXPECT_EQ(child.Font().Name(), "Tahoma");
    EXPECT_EQ(panel.Font().Name(), "Arial");
}

TEST_F(ControlPaintTest, ValidateDropsARepaintInsideTheControl) {
    auto& g = AddGraphic(10, 10, 20, 20, clRed);
    ShowForm();
    const int before = g.Paints;
    g.Invalidate();
    g.Validate();
    App.ProcessMessages();
    EXPECT_EQ(g.Paints, before);
}

TEST_F(ControlPaintTest, PositionScreenCenterCentresOnThePrimaryMonitor) {
    Form->SetPosition(poScreenCenter);
    ShowForm();
    const auto rect = Display.GetWindowRect(Window());
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->Left, (640 - 200) / 2);
    EXPECT_EQ(rect->Top, (480 - 150) / 2);
}

TEST_F(ControlPaintTest, BorderlessStayOnTopFormsAreFullScreenTopMostWindows) {
    Form->SetBorderStyle(bsNone);
    Form->SetFormStyle(fsStayOnTop);
    Form->SetCaption("Veltrane");
    ShowForm();
    EXPECT_EQ(Display.WindowStyle(Window()), wsFullScreen);
    EXPECT_TRUE(Display.IsTopMost(Window()));
    EXPECT_EQ(Display.Caption(Window()), "Veltrane");
}

}  // namespace
