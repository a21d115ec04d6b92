#include "widgets/TransShape.h"

#include "ui/FormTestSupport.h"

#include "classes/ClassRegistry.h"
#include "ui/FrameworkClasses.h"
#include "classes/Published.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Thumb = RGB(200, 0, 200);

class TransShapeTest : public ::testing::Test, public TFormFixture {
protected:
    TransShapeTest() {
        Form->SetColor(Thumb);
        Shape = &Form->CreateComponent<TTransShape>();
        Shape->SetParent(Form);
        Shape->SetBounds(5, 7, 105, 85);
        Shape->Pen().SetWidth(7);
    }
    TTransShape* Shape = nullptr;
};

} // namespace

TEST(TransShapeDefaults, StartValues) {
    TTransShape shape(nullptr);
    EXPECT_EQ(shape.Width(), 65);
    EXPECT_EQ(shape.Height(), 65);
    EXPECT_EQ(shape.TransType(), ttNone);
    EXPECT_EQ(shape.TransPercent(), 50);
    EXPECT_EQ(shape.CanvasType(), ctTransparent);
    EXPECT_EQ(shape.TransMaxCutoff(), 100);
    EXPECT_EQ(shape.TransMinCutoff(), 0);
    EXPECT_EQ(shape.TransKeyColor(), clBlack);
    EXPECT_EQ(shape.TransFade(), tfNone);
    EXPECT_FALSE(shape.Inverse());
    EXPECT_EQ(shape.Shape(), transshape::stRectangle);
    EXPECT_EQ(shape.Angle(), 0);
    EXPECT_EQ(shape.Pen().Width(), 1);
    EXPECT_EQ(shape.Brush().Color(), clWhite);
    EXPECT_TRUE(shape.ControlStyle().Contains(csOpaque));
    EXPECT_TRUE(shape.ControlStyle().Contains(csReplicatable));
    EXPECT_TRUE(shape.Capture().Empty());
}

TEST(TransShapeDefaults, PublishedNamesAndRegistry) {
    TClassRegistry classes;
    RegisterTransShapeClasses(classes);
    const TClassInfo* info = classes.FindClass("TTransShape");
    ASSERT_NE(info, nullptr);
    std::vector<std::string> own;
    for (const TPropInfo& p : info->Properties()) own.push_back(p.Name());
    const std::vector<std::string> expected{"Angle", "UseCalcEvent", "OnCalc", "TransFade", "TransType",
                                            "TransPercent", "TransMinCutoff", "TransMaxCutoff", "TransKeyColor",
                                            "TransBiasPercent", "ScreenBiasPercent", "Inverse", "OnPaint",
                                            "CanvasType", "Brush", "Pen", "Shape"};
    ASSERT_GE(own.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(own.end() - static_cast<long>(expected.size()), own.end()), expected);
    EXPECT_NE(info->FindMethod("StyleChanged"), nullptr);
}

TEST(TransShapeDefaults, OutOfRangePercentagesAreIgnored) {
    TTransShape shape(nullptr);
    shape.SetTransPercent(101);
    shape.SetTransPercent(-1);
    EXPECT_EQ(shape.TransPercent(), 50);
    shape.SetTransMinCutoff(200);
    shape.SetTransMaxCutoff(-5);
    EXPECT_EQ(shape.TransMinCutoff(), 0);
    EXPECT_EQ(shape.TransMaxCutoff(), 100);
    shape.SetTransPercent(30); // recomposes without parent: no crash
    EXPECT_EQ(shape.TransPercent(), 30);
    shape.SetTransBiasPercent(-250); // no range check
    EXPECT_DOUBLE_EQ(shape.TransBias(), -2.5);
    shape.SetScreenBiasPercent(40);
    EXPECT_DOUBLE_EQ(shape.ScreenBias(), 0.4);
}

TEST(TransShapeDefaults, ZeroSizeAndNoParentPaintNothingHarmful) {
    TTransShape shape(nullptr);
    shape.SetBounds(0, 0, 0, 0);
    shape.CaptureBackground();
    shape.Compose();
    shape.SetTransFade(tfCenter);
    shape.SetBounds(0, 0, 1, 1);
    shape.CaptureBackground();
    shape.Compose();
    EXPECT_EQ(shape.Capture().Width(), 1);
    EXPECT_EQ(shape.Capture().GetPixel(0, 0), clWhite); // nothing beneath without a form
}

TEST_F(TransShapeTest, SelectionFrameDarkensUnderTheFrameAndWashesInside) {
    ShowForm();
    const TColor frame = RGB(100, 0, 100), inside = RGB(227, 127, 227);
    EXPECT_EQ(Pixel(5, 7), frame);
    EXPECT_EQ(Pixel(11, 13), frame);
    EXPECT_EQ(Pixel(109, 91), frame);
    EXPECT_EQ(Pixel(12, 14), inside);
    EXPECT_EQ(Pixel(102, 84), inside);
    EXPECT_EQ(Pixel(103, 84), frame);
    EXPECT_EQ(Pixel(4, 7), Thumb);
    EXPECT_EQ(Pixel(110, 50), Thumb);
    EXPECT_EQ(Pixel(50, 92), Thumb);
}

TEST_F(TransShapeTest, RepaintsAndMovesDoNotCompoundTheBlend) {
    ShowForm();
    Shape->Invalidate();
    App.ProcessMessages();
    Shape->Repaint();
    EXPECT_EQ(Pixel(5, 7), RGB(100, 0, 100));
    EXPECT_EQ(Pixel(50, 50), RGB(227, 127, 227));
    Shape->SetLeft(60);
    App.ProcessMessages();
    EXPECT_EQ(Pixel(5, 7), Thumb);
    EXPECT_EQ(Pixel(60, 7), RGB(100, 0, 100));
    EXPECT_EQ(Pixel(100, 50), RGB(227, 127, 227));
}

TEST_F(TransShapeTest, ThingsBeneathShowThroughAndNothingOutsideTheParent) {
    auto& below = Form->CreateComponent<TFillGraphic>();
    below.SetParent(Form);
    below.SetBounds(40, 40, 10, 10);
    below.SetColor(RGB(0, 200, 0));
    Shape->SetParent(nullptr); // back on top of the new control
    Shape->SetParent(Form);
    ShowForm();
    EXPECT_EQ(Pixel(45, 45), RGB(127, 227, 127));
    EXPECT_EQ(Shape->Capture().GetPixel(40, 40), RGB(0, 200, 0));
    EXPECT_EQ(Shape->Capture().GetPixel(0, 0), Thumb);
}

TEST_F(TransShapeTest, PercentSetterRecomposesWithTheLastCapture) {
    ShowForm();
    Shape->SetTransPercent(0); // the drawing alone
    App.ProcessMessages();
    EXPECT_EQ(Pixel(5, 7), clBlack);
    EXPECT_EQ(Pixel(50, 50), clWhite);
    Shape->SetTransPercent(100); // the background alone
    App.ProcessMessages();
    EXPECT_EQ(Pixel(5, 7), Thumb);
    EXPECT_EQ(Pixel(50, 50), Thumb);
}

TEST_F(TransShapeTest, ZeroSizedShapeOnAFormPaintsNothing) {
    Shape->SetBounds(5, 7, 0, 0);
    Shape->Pen().SetWidth(1);
    Shape->SetTransFade(tfPeak);
    ShowForm();
    Shape->SetTransPercent(10);
    Shape->SetBounds(5, 7, 1, 1); // one pixel: the fades have no room, the percentage stays
    App.ProcessMessages();
    EXPECT_EQ(Pixel(5, 7), RGB(20, 0, 20)); // the black pen at 10 percent background
    EXPECT_EQ(Pixel(6, 7), Thumb);
}

TEST_F(TransShapeTest, HiddenShapeDoesNotDrawWhenRecomposed) {
    Shape->Hide();
    ShowForm();
    Shape->SetTransPercent(0);
    Shape->SetTransBiasPercent(20);
    App.ProcessMessages();
    EXPECT_EQ(Pixel(5, 7), Thumb);
    EXPECT_EQ(Pixel(50, 50), Thumb);
    Shape->Show();
    App.ProcessMessages();
    EXPECT_EQ(Pixel(5, 7), clBlack);
}

TEST_F(TransShapeTest, NoFigureShowsTheBackgroundUnchanged) {
    Shape->SetShape(transshape::stNone);
    ShowForm();
    EXPECT_EQ(Pixel(5, 7), Thumb);
    EXPECT_EQ(Pixel(50, 50), Thumb);
}

TEST_F(TransShapeTest, PenAndBrushChangesRepaint) {
    ShowForm();
    Shape->Brush().SetColor(clBlack);
    Shape->Pen().SetColor(clWhite);
    App.ProcessMessages();
    EXPECT_EQ(Pixel(5, 7), RGB(227, 127, 227));
    EXPECT_EQ(Pixel(50, 50), RGB(100, 0, 100));
}

TEST_F(TransShapeTest, LuminanceFilterBrightensUnderBlack) {
    Shape->Brush().SetColor(clBlack);
    Shape->SetCanvasType(ctLumFilter);
    Shape->SetTransPercent(75);
    Shape->SetTransType(ttAlpha); // the drawing starts white: only the figure is black
    ShowForm();
    EXPECT_EQ(Pixel(50, 50), RGB(228, 128, 228)); // (256 - k) * 0.5 + k
    EXPECT_EQ(Pixel(5, 7), RGB(228, 128, 228));
    Shape->SetInverse(true);
    App.ProcessMessages();
    EXPECT_EQ(Pixel(50, 50), RGB(100, 0, 100));
}

TEST_F(TransShapeTest, CalculationEventAndPaintEvent) {
    int calls = 0;
    Shape->SetOnCalc([&](TObject* sender, TRGB, TRGB back, TRGB& merge, int, int) {
        EXPECT_EQ(sender, Shape);
        ++calls;
        merge = TRGB{back.Blue, back.Green, back.Red};
    });
    ShowForm();
    EXPECT_EQ(calls, 0); // not used until UseCalcEvent
    Shape->SetUseCalcEvent(true);
    Shape->Repaint();
    EXPECT_EQ(calls, 105 * 85);
    EXPECT_EQ(Pixel(50, 50), Thumb); // red and blue swapped: the same

    Shape->SetUseCalcEvent(false);
    Shape->SetShape(transshape::stNone);
    Shape->SetOnPaint([](TObject*, TCanvas& canvas) { canvas.SetPixel(10, 10, clBlack); });
    Shape->Repaint();
    EXPECT_EQ(Pixel(15, 17), RGB(100, 0, 100));
    EXPECT_EQ(Pixel(16, 17), Thumb);
}

TEST_F(TransShapeTest, ShapeReachingPastItsParentBlendsOnlyInside) {
    auto& panel = Form->CreateComponent<TLogControl>(nullptr, "panel");
    panel.SetParent(Form);
    panel.SetBounds(0, 0, 60, 50);
    panel.SetColor(Thumb);
    Shape->SetParent(&panel);
    Shape->SetBounds(20, 10, 105, 85);
    ShowForm();
    EXPECT_EQ(Pixel(20, 10), RGB(100, 0, 100));
    EXPECT_EQ(Shape->Capture().GetPixel(39, 39), Thumb);
    EXPECT_EQ(Shape->Capture().GetPixel(40, 39), clWhite); // past the parent's right edge
    EXPECT_EQ(Shape->Capture().GetPixel(39, 40), clWhite);
    Shape->SetTransPercent(20); // recomposes within the parent only
    EXPECT_EQ(Pixel(61, 20), Thumb); // the form beside the panel stays as it was
}

namespace {

const char* const ShapeDefinition =
    "object frmShape: TTestShapeForm\n"
    "  ClientWidth = 200\n"
    "  ClientHeight = 120\n"
    "  object shpSel: TTransShape\n"
    "    Left = 5\n"
    "    Top = 7\n"
    "    Width = 105\n"
    "    Height = 85\n"
    "    Angle = 0\n"
    "    UseCalcEvent = False\n"
    "    TransFade = tfNone\n"
    "    TransType = ttNone\n"
    "    TransPercent = 50\n"
    "    TransMinCutoff = 0\n"
    "    TransMaxCutoff = 100\n"
    "    TransKeyColor = clBlack\n"
    "    TransBiasPercent = 0\n"
    "    ScreenBiasPercent = 0\n"
    "    Inverse = False\n"
    "    CanvasType = ctTransparent\n"
    "    Pen.Width = 7\n"
    "    Shape = stRectangle\n"
    "    Visible = False\n"
    "  end\n"
    "end\n";

class TTestShapeForm : public TForm {
public:
    VELTRANE_CLASS_INFO
    explicit TTestShapeForm(TComponent* owner) : TForm(owner) {
        TClassRegistry classes;
        RegisterFrameworkClasses(classes);
        RegisterTransShapeClasses(classes);
        ReadFormText(ShapeDefinition, classes, "TFRMSHAPE");
    }
    TTransShape* shpSel = nullptr;
};

const TClassInfo& TTestShapeForm::StaticClass() {
    using T = TTestShapeForm;
    static const TClassInfo info =
        MakeClass<T, TForm>("TTestShapeForm", {}, {}, {PublishedField("shpSel", &T::shpSel)});
    return info;
}

} // namespace

TEST(TransShapeForm, FormDefinitionCreatesTheSelectionFrame) {
    TMemoryDisplay display(640, 480);
    TApplication app(display);
    auto& form = app.CreateForm<TTestShapeForm>();
    ASSERT_NE(form.shpSel, nullptr);
    EXPECT_EQ(form.shpSel->Pen().Width(), 7);
    EXPECT_EQ(form.shpSel->Width(), 105);
    EXPECT_FALSE(form.shpSel->Visible());
    EXPECT_EQ(form.shpSel->Parent(), &form);
}
