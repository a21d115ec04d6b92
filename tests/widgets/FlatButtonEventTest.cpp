#include "FlatButtonFixture.h"

#include "ui/CustomControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr TColor Normal = 0x00794000;
constexpr TColor Hot = 0x00E7D3CE;
constexpr TColor Pushed = 0x00D57000;
constexpr TColor Edge = 0x006B2408;

// What an OnPaint handler saw, one entry per call.
struct TPaintCall {
    bool Inside, MousePressed, KeyPressed;
};

class FlatButtonEventTest : public ::testing::Test, public TFlatButtonFixture {
protected:
    // A button at (20, 20) that colours itself from its flags the way the dialog does.
    TFlatButton& Button() {
        TFlatButton& b = Add<TFlatButton>(20, 20);
        b.SetCaption("&Ok");
        b.SetOnPaint([this, &b](TObject* sender, bool& cont) {
            EXPECT_EQ(sender, &b);
            Calls.push_back({b.MouseInside(), b.MousePressed(), b.KeyPressed()});
            const TColor want = b.MousePressed() || b.KeyPressed() ? Pushed : b.MouseInside() ? Hot : Normal;
            b.SetBorderColor(Edge);
            cont = b.Color() == want;
            b.SetColor(want);
        });
        b.SetOnClick([this](TObject*) {
            ++Clicks;
            ClickSaw.push_back(Calls.empty() ? TPaintCall{} : Calls.back());
        });
        return b;
    }

    std::vector<TPaintCall> Calls;
    std::vector<TPaintCall> ClickSaw;
    int Clicks = 0;
};

} // namespace

TEST_F(FlatButtonEventTest, FaceIsFilledAndFramedOnTheScreen) {
    TFlatButton& b = Button();
    ShowForm();
    EXPECT_EQ(Pixel(20, 20), Edge);
    EXPECT_EQ(Pixel(94, 44), Edge);
    EXPECT_EQ(Pixel(22, 22), Normal);
    EXPECT_EQ(Pixel(19, 20), 0x00C8A064u); // the form around it
    // Focused with the border style: a second line inside the first.
    b.SetFocus();
    App.ProcessMessages();
    EXPECT_EQ(Pixel(21, 21), Edge);
    EXPECT_EQ(Pixel(22, 22), Normal);
}

TEST_F(FlatButtonEventTest, PointerOverAndPressRecolourAtOnce) {
    Button();
    ShowForm();
    MoveTo(30, 30);
    EXPECT_EQ(Pixel(30, 35), Hot);
    Press();
    EXPECT_EQ(Pixel(30, 35), Pushed);
    Release();
    EXPECT_EQ(Pixel(30, 35), Hot);
    EXPECT_EQ(Clicks, 1);
    MoveTo(200, 150);
    EXPECT_EQ(Pixel(30, 35), Normal);
}

TEST_F(FlatButtonEventTest, DoubleClickPressesAndClicksTwice) {
    TFlatButton& b = Button();
    ShowForm();
    MoveTo(30, 30);
    Press();
    Release();
    Press(); // close in time and place: a double click
    EXPECT_TRUE(b.MousePressed());
    EXPECT_EQ(Pixel(30, 35), Pushed);
    Release();
    EXPECT_EQ(Clicks, 2);
}

TEST_F(FlatButtonEventTest, ReleaseOffTheControlDoesNotClick) {
    TFlatButton& b = Button();
    ShowForm();
    MoveTo(30, 30);
    Press();
    EXPECT_TRUE(b.MousePressed());
    MoveTo(200, 150);
    Release();
    EXPECT_EQ(Clicks, 0);
    EXPECT_FALSE(b.MousePressed());
    EXPECT_FALSE(b.MouseInside());
    EXPECT_EQ(Pixel(30, 35), Normal);
}

TEST_F(FlatButtonEventTest, MouseClickGivesTheFocusAndClicksOnceOnTheRelease) {
    TFlatButton& b = Button();
    TFlatButton& other = Add<TFlatButton>(150, 20);
    ShowForm();
    other.SetFocus();
    App.ProcessMessages();
    MoveTo(30, 30);
    Press();
    EXPECT_TRUE(b.Focused());
    EXPECT_EQ(Clicks, 0);
    Release();
    EXPECT_EQ(Clicks, 1);
}

TEST_F(FlatButtonEventTest, SpaceBarClicksAtItsRelease) {
    TFlatButton& b = Button();
    ShowForm();
    b.SetFocus();
    App.ProcessMessages();
    KeyDown(vkSpace, ' ');
    EXPECT_TRUE(b.KeyPressed());
    EXPECT_EQ(Pixel(30, 35), Pushed);
    EXPECT_EQ(Clicks, 0);
    KeyUp(vkSpace);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(b.KeyPressed());
    EXPECT_EQ(Pixel(30, 35), Normal);
}

TEST_F(FlatButtonEventTest, SpaceHeldWhileAnotherKeyIsReleasedClicksAtThatRelease) {
    TFlatButton& b = Button();
    ShowForm();
    b.SetFocus();
    App.ProcessMessages();
    KeyDown(vkSpace, ' ');
    KeyDown('A', 'a');
    EXPECT_EQ(Clicks, 0);
    KeyUp('A');
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(b.KeyPressed());
    // The space bar's own release clicks no second time.
    KeyUp(vkSpace);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(FlatButtonEventTest, SpaceWithAModifierOrDuringAMousePressDoesNothing) {
    TFlatButton& b = Button();
    ShowForm();
    b.SetFocus();
    App.ProcessMessages();
    KeyDown(vkSpace, ' ', ssCtrl);
    EXPECT_FALSE(b.KeyPressed());
    KeyUp(vkSpace, ssCtrl);
    MoveTo(30, 30);
    Press();
    KeyDown(vkSpace, ' ');
    EXPECT_FALSE(b.KeyPressed());
    EXPECT_TRUE(b.MousePressed());
}

TEST_F(FlatButtonEventTest, EnterWithDefaultClicksOnceBetweenTwoPaints) {
    TFlatButton& b = Button();
    b.SetDefault(true);
    b.SetModalResult(mrOk);
    TFlatButton& other = Add<TFlatButton>(150, 20);
    ShowForm();
    other.SetFocus();
    App.ProcessMessages();
    Calls.clear();
    Key(vkReturn, '\r');
    ASSERT_EQ(Clicks, 1);
    EXPECT_TRUE(ClickSaw[0].KeyPressed) << "painted pressed before the click";
    ASSERT_FALSE(Calls.empty());
    EXPECT_FALSE(Calls.back().KeyPressed) << "painted released after it";
    EXPECT_FALSE(b.KeyPressed());
    EXPECT_TRUE(b.Focused());
    EXPECT_EQ(Form->ModalResult(), mrOk);
}

TEST_F(FlatButtonEventTest, EnterIsBlockedWhileTheMouseIsPressedAndEscapeNeedsCancel) {
    TFlatButton& b = Button();
    b.SetDefault(true);
    ShowForm();
    MoveTo(30, 30);
    Press();
    Key(vkReturn, '\r');
    EXPECT_EQ(Clicks, 0);
    MoveTo(200, 150);
    Release();
    Key(vkEscape, 27);
    EXPECT_EQ(Clicks, 0);
    b.SetCancel(true);
    Key(vkEscape, 27);
    EXPECT_EQ(Clicks, 1);
    Key(vkReturn, '\r', ssShift);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(FlatButtonEventTest, DisabledOrHiddenButtonTakesNoDialogKey) {
    TFlatButton& b = Button();
    b.SetDefault(true);
    ShowForm();
    b.SetEnabled(false);
    Key(vkReturn, '\r');
    b.SetEnabled(true);
    b.SetVisible(false);
    Key(vkReturn, '\r');
    EXPECT_EQ(Clicks, 0);
}

TEST_F(FlatButtonEventTest, AcceleratorClicksWithoutRegardToCase) {
    TFlatButton& b = Button();
    Add<TFlatButton>(150, 20).SetCaption("&Cancel");
    ShowForm();
    Key('O', 'o', ssAlt);
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(b.Focused());
    Key('O', 'O', ssAlt);
    EXPECT_EQ(Clicks, 2);
    Key('K', 'k', ssAlt);
    EXPECT_EQ(Clicks, 2);
}

TEST_F(FlatButtonEventTest, HandlerChangingTheColourIsAskedTwicePerRepaint) {
    TFlatButton& b = Add<TFlatButton>(20, 20);
    std::vector<bool> answers;
    TColor want = Normal;
    b.SetOnPaint([&](TObject*, bool& cont) {
        cont = b.Color() == want;
        answers.push_back(cont);
        b.SetColor(want);
    });
    ShowForm();
    answers.clear();
    want = Hot;
    MoveTo(30, 30);
    EXPECT_EQ(answers, (std::vector<bool>{false, true}));
    EXPECT_EQ(Pixel(30, 35), Hot);
}

TEST_F(FlatButtonEventTest, HandlerThatNeverAgreesStillEnds) {
    TFlatButton& b = Add<TFlatButton>(20, 20);
    int calls = 0;
    b.SetOnPaint([&](TObject*, bool& cont) {
        ++calls;
        cont = false;
        b.SetColor(b.Color() == Hot ? Normal : Hot);
    });
    ShowForm();
    calls = 0;
    b.PaintButton();
    EXPECT_EQ(calls, TFlatCustomButton::MaxRepaintDepth + 1);
}

TEST_F(FlatButtonEventTest, FocusLossClearsThePressFlags) {
    TFlatButton& b = Button();
    TFlatButton& other = Add<TFlatButton>(150, 20);
    ShowForm();
    b.SetFocus();
    App.ProcessMessages();
    KeyDown(vkSpace, ' ');
    ASSERT_TRUE(b.KeyPressed());
    other.SetFocus();
    App.ProcessMessages();
    EXPECT_FALSE(b.KeyPressed());
    KeyUp(vkSpace);
    EXPECT_EQ(Clicks, 0);
}

TEST_F(FlatButtonEventTest, GroupIndexTogglesStateAndZeroResetsIt) {
    TFlatButton& b = Button();
    ShowForm();
    b.SetState(cbChecked);
    b.Click();
    EXPECT_EQ(b.State(), cbUnchecked);
    b.SetGroupIndex(3);
    b.Click();
    EXPECT_EQ(b.State(), cbChecked);
    b.Click();
    EXPECT_EQ(b.State(), cbUnchecked);
    b.SetState(cbGrayed);
    b.Click();
    EXPECT_EQ(b.State(), cbChecked);
}

TEST_F(FlatButtonEventTest, ClickGivesItsModalResultEvenWhenZero) {
    TFlatButton& b = Button();
    ShowForm();
    Form->SetModalResult(mrCancel);
    b.Click();
    EXPECT_EQ(Form->ModalResult(), mrNone);
}

TEST_F(FlatButtonEventTest, AutoSizeFitsTheCaptionAndKeepsItsPlace) {
    TFlatButton& b = Add<TFlatButton>(20, 30, 10, 10);
    b.SetCaption("&Cancel");
    ShowForm();
    b.SetAutoSize(true);
    App.ProcessMessages();
    const int w = TTextRenderer::TextExtent(b.Font(), "Cancel").cx;
    EXPECT_EQ(b.Width(), w + 4);
    EXPECT_EQ(b.Left(), 20);
    EXPECT_EQ(b.Top(), 30);
    EXPECT_EQ(Pixel(20 + b.Width() - 1, 30), clBlack); // the frame at the new size
}

TEST_F(FlatButtonEventTest, NothingIsDrawnBeforeTheFormHasAWindow) {
    TFlatButton& b = Button();
    Calls.clear();
    b.SetCaption("Other");
    b.SetState(cbChecked);
    EXPECT_FALSE(Form->HandleAllocated());
    EXPECT_GE(Calls.size(), 2u); // the paint event still runs
}

TEST_F(FlatButtonEventTest, ZeroSizedButtonIsHarmless) {
    TFlatButton& b = Button();
    b.SetBounds(20, 20, 0, 0);
    b.SetAutoSize(false);
    ShowForm();
    b.SetDefault(true);
    Key(vkReturn, '\r');
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(b.Width(), 0);
}

namespace {

// An image list component of one 8 x 8 green image.
class TGreenImages : public TComponent, public TFlatButtonImages {
public:
    explicit TGreenImages(TComponent* owner) : TComponent(owner) {}
    int ImageWidth() const override { return 8; }
    int ImageHeight() const override { return 8; }
    int ImageCount() const override { return 1; }
    void DrawImage(TCanvas& canvas, int x, int y, int) const override {
        TCanvasState keep(canvas);
        canvas.Brush().SetColor(clLime);
        canvas.FillRect(Bounds(x, y, 8, 8));
    }
};

} // namespace

TEST_F(FlatButtonEventTest, GlyphIsDrawnAndDroppedWhenItsListGoes) {
    TFlatButton& b = Button();
    b.SetCaption("");
    b.SetGlyphIndex(0);
    TGreenImages& images = Form->CreateComponent<TGreenImages>();
    ShowForm();
    Calls.clear();
    b.SetGlyph(&images);
    EXPECT_EQ(Calls.size(), 1u);
    App.ProcessMessages();
    EXPECT_EQ(Pixel(20 + 33, 20 + 8), clLime); // centred: (75 - 8) / 2 = 33, (25 - 8) / 2 = 8
    images.Free();
    EXPECT_EQ(b.Glyph(), nullptr);
    EXPECT_EQ(Calls.size(), 2u);
    App.ProcessMessages();
    EXPECT_EQ(Pixel(20 + 33, 20 + 8), Normal);
}

// --- radio buttons ---------------------------------------------------------------------------

namespace {

class FlatRadioEventTest : public ::testing::Test, public TFlatButtonFixture {
protected:
    TFlatRadioButton& Radio(int top, TWinControl* parent = nullptr) {
        TFlatRadioButton& r = Add<TFlatRadioButton>(10, top, 80, 17, parent);
        r.SetCaption("Radio " + std::to_string(top));
        r.SetColor(clWhite);
        r.SetOnClick([this](TObject*) { ++Clicks; });
        return r;
    }
    int Clicks = 0;
};

class TBox : public TCustomControl {
public:
    explicit TBox(TComponent* owner) : TCustomControl(owner) {}
};

} // namespace

TEST_F(FlatRadioEventTest, CheckingOneUnchecksItsSiblingsOnly) {
    TBox& box = Add<TBox>(150, 10, 120, 100);
    TFlatRadioButton& a = Radio(10);
    TFlatRadioButton& b = Radio(40);
    TFlatRadioButton& c = Radio(10, &box);
    ShowForm();
    c.SetChecked(true);
    a.SetChecked(true);
    EXPECT_TRUE(a.GetChecked());
    EXPECT_TRUE(c.GetChecked());
    MoveTo(20, 45);
    Press();
    Release();
    EXPECT_TRUE(b.GetChecked());
    EXPECT_FALSE(a.GetChecked());
    EXPECT_TRUE(c.GetChecked()) << "another parent is another group";
    EXPECT_EQ(Clicks, 1);
    // Only the checked one of a parent is a tab stop.
    EXPECT_TRUE(b.TabStop());
    EXPECT_FALSE(a.TabStop());
}

TEST_F(FlatRadioEventTest, ClickingACheckedRadioRepaintsNothingButStillClicks) {
    TFlatRadioButton& a = Radio(10);
    int paints = 0;
    a.SetOnPaint([&](TObject*, bool&) { ++paints; });
    ShowForm();
    a.SetChecked(true);
    a.SetFocus();
    App.ProcessMessages();
    paints = 0;
    a.Click();
    EXPECT_EQ(paints, 0);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(a.State(), cbChecked);
}

TEST_F(FlatRadioEventTest, MarkAndDotOnTheScreen) {
    TFlatRadioButton& a = Radio(10);
    a.SetBorderColor(0x00404040);
    a.SetMarkColor(0x00102030);
    a.SetBlankColor(0x00E0FFFF);
    ShowForm();
    // The mark: 11 pixels centred at the left of the caption.
    const int gy = 10 + (17 - 11) / 2;
    auto gx = [&] {
        for (int x = 10; x < 90; ++x)
            if (Pixel(x, gy + 5) == 0x00404040u) return x;
        return -1;
    }();
    ASSERT_NE(gx, -1);
    EXPECT_EQ(Pixel(gx + 10, gy + 5), 0x00404040u);
    EXPECT_EQ(Pixel(gx + 5, gy + 5), 0x00E0FFFFu);
    a.SetChecked(true);
    App.ProcessMessages();
    EXPECT_EQ(Pixel(gx + 5, gy + 5), 0x00102030u);
    EXPECT_EQ(Pixel(gx + 3, gy + 5), 0x00102030u);
    EXPECT_EQ(Pixel(gx + 2, gy + 5), 0x00E0FFFFu);
}

TEST_F(FlatRadioEventTest, AutoSizeGivesTheWorkedSize) {
    TFlatRadioButton& a = Radio(10);
    a.SetCaption("English");
    ShowForm();
    a.SetAutoSize(true);
    App.ProcessMessages();
    const TSize text = TTextRenderer::TextExtent(a.Font(), "English");
    EXPECT_EQ(a.Width(), text.cx + 19);
    EXPECT_EQ(a.Height(), std::max(text.cy + 4, 11));
}

TEST_F(FlatRadioEventTest, SpaceChecksTheFocusedRadio) {
    TFlatRadioButton& a = Radio(10);
    Radio(40).SetChecked(true);
    ShowForm();
    a.SetFocus();
    App.ProcessMessages();
    Key(vkSpace, ' ');
    EXPECT_TRUE(a.GetChecked());
    EXPECT_EQ(Clicks, 1);
}
