#include "widgets/Label3D.h"

#include "FlatButtonFixture.h"
#include "WidgetPixels.h"

#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include "classes/ClassInfo.h"
#include "classes/ClassRegistry.h"
#include "ui/FrameworkClasses.h"

#include "gfx/DrawText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>

using namespace widgettest;

namespace {

constexpr TColor FormColor = 0x00C8A064;
constexpr TColor Ink = 0x003E9EFF;

class Label3DTest : public ::testing::Test, public TFlatButtonFixture {
protected:
    // The dialog's product name label.
    TLabel3D& ProductLabel() {
        TLabel3D& l = Form->CreateComponent<TLabel3D>();
        l.SetParent(Form);
        l.SetBounds(156, 27, 133, 22);
        l.Font().SetHeight(-19);
        l.Font().SetStyle({fsBold});
        l.Font().SetColor(Ink);
        l.SetTransparent(true);
        l.SetAlignment(taCenter);
        l.SetCaption("Veltrane");
        return l;
    }

    // The label's part of the window.
    TBitmap Shot(const TLabel3D& l) {
        TBitmap b(l.Width(), l.Height());
        for (int y = 0; y < l.Height(); ++y)
            for (int x = 0; x < l.Width(); ++x) b.SetPixel(x, y, Pixel(l.Left() + x, l.Top() + y));
        return b;
    }
};

// A stand-in opener that records the address it is given.
class TFakeOpener {
public:
    TFakeOpener() : FPath("PATH", FFolder.Path()) {
        const std::string script = FFolder.File("xdg-open");
        std::ofstream out(script);
        out << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << FFolder.File("opened") << "'\n";
        out.close();
        ::chmod(script.c_str(), 0755);
    }
    // What was opened, waiting up to two seconds for it (or 200 ms when nothing is expected).
    std::string Opened(bool expectSomething = true) {
        for (int i = 0; i < (expectSomething ? 200 : 20); ++i) {
            std::ifstream in(FFolder.File("opened"));
            std::stringstream text;
            text << in.rdbuf();
            if (!text.str().empty()) return text.str();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {};
    }

private:
    TTempFolder FFolder;
    TScopedEnvironment FPath;
};

} // namespace

TEST_F(Label3DTest, ConstructionValues) {
    TLabel3D& l = Form->CreateComponent<TLabel3D>();
    EXPECT_EQ(l.Escapement(), 0);
    EXPECT_EQ(l.TextStyle(), tsRaised);
    EXPECT_EQ(l.Font().Name(), "Arial");
    EXPECT_EQ(l.LabelStyle(), lsDefault);
    EXPECT_EQ(l.BorderWidth(), 1);
    EXPECT_EQ(l.BorderColor(), clRed);
    EXPECT_EQ(l.BorderPen().Color(), clBlack) << "the pen keeps black until BorderColor is assigned";
    EXPECT_EQ(l.ShadowColor(), clBtnShadow);
    EXPECT_EQ(l.HighlightColor(), clBtnHighlight);
    EXPECT_EQ(l.HoverColor(), clRed);
    EXPECT_EQ(l.Shift(), 1);
    EXPECT_TRUE(l.AutoSize());
    EXPECT_TRUE(l.ShowAccelChar());
}

TEST_F(Label3DTest, EscapementIsKeptWithinTheCircle) {
    TLabel3D& l = Form->CreateComponent<TLabel3D>();
    l.SetEscapement(-30);
    EXPECT_EQ(l.Escapement(), 330);
    l.SetEscapement(720);
    EXPECT_EQ(l.Escapement(), 360);
    l.SetEscapement(360);
    EXPECT_EQ(l.Escapement(), 360);
    l.SetEscapement(INT_MIN);
    EXPECT_GE(l.Escapement(), 0);
    EXPECT_LE(l.Escapement(), 360);
}

TEST_F(Label3DTest, EllipsesTurnAutoSizeOffForGood) {
    TLabel3D& l = Form->CreateComponent<TLabel3D>();
    l.SetEllipsesStyle(esEnd);
    EXPECT_FALSE(l.AutoSize());
    l.SetEllipsesStyle(esNone);
    EXPECT_FALSE(l.AutoSize());
}

TEST_F(Label3DTest, AutoSizeMeasuresTheUnshiftedCaption) {
    TLabel3D& l = ProductLabel();
    const TSize text = TTextRenderer::TextExtent(l.Font(), "Veltrane");
    EXPECT_EQ(l.Width(), text.cx);
    EXPECT_EQ(l.Height(), text.cy);
    l.SetCaption("");
    EXPECT_EQ(l.Width(), TTextRenderer::TextExtent(l.Font(), " ").cx) << "an empty caption measures as a space";
    l.SetCaption("&");
    EXPECT_EQ(l.Width(), TTextRenderer::TextExtent(l.Font(), " ").cx);
}

TEST_F(Label3DTest, RightJustifiedAutoSizeKeepsTheRightEdge) {
    TLabel3D& l = ProductLabel();
    l.SetAlignment(taRightJustify);
    const int right = l.Left() + l.Width();
    l.SetCaption("Veltrane saver");
    EXPECT_EQ(l.Left() + l.Width(), right);
}

TEST_F(Label3DTest, ProductNameIsDrawnRaisedOnTheForm) {
    TLabel3D& l = ProductLabel();
    ShowForm();
    // What the label should show: the form's colour, the caption in the shadow colour one
    // pixel right and down, then the caption in its own colour, clipped to the label.
    TBitmap expected = PaperBitmap(l.Width(), l.Height());
    expected.Fill(FormColor);
    TCanvas& c = expected.Canvas();
    c.SetFont(l.Font());
    c.SetBkMode(bmTransparent);
    for (const auto& [color, offset] : {std::pair{ColorToDrawRGB(clBtnShadow), 1}, std::pair{Ink, 0}}) {
        c.SetTextColor(color);
        TRect r = Rect(offset, offset, l.Width() + offset, l.Height() + offset);
        c.DrawText("Veltrane", r, DT_EXPANDTABS | DT_CENTER);
    }
    EXPECT_EQ(FirstDifference(Shot(l), expected), "");
    EXPECT_GT(CountColor(Shot(l), ColorToDrawRGB(clBtnShadow)), 0);
}

TEST_F(Label3DTest, RaisedBorderOnATenByTenLabel) {
    TLabel3D& l = Form->CreateComponent<TLabel3D>();
    l.SetParent(Form);
    l.SetAutoSize(false);
    l.SetBounds(30, 30, 10, 10);
    l.SetColor(0x00203040);
    l.SetBorderType(btRaised);
    l.SetBorder(true);
    ShowForm();
    const TBitmap b = Shot(l);
    EXPECT_TRUE(AllColor(b, 0xFFFFFF, Rect(0, 0, 9, 1)));
    EXPECT_TRUE(AllColor(b, 0xFFFFFF, Rect(0, 0, 1, 9)));
    EXPECT_TRUE(AllColor(b, 0x808080, Rect(9, 1, 10, 10)));
    EXPECT_TRUE(AllColor(b, 0x808080, Rect(1, 9, 10, 10)));
    EXPECT_TRUE(AllColor(b, 0x00203040, Rect(1, 1, 9, 9)));
    EXPECT_EQ(b.GetPixel(9, 0), 0x00203040u);
}

TEST_F(Label3DTest, BorderSettersPaintAtOnceEvenUnchanged) {
    TLabel3D& l = Form->CreateComponent<TLabel3D>();
    l.SetParent(Form);
    l.SetAutoSize(false);
    l.SetBounds(30, 30, 20, 20);
    l.SetBorder(true);
    ShowForm();
    l.SetBorderColor(clLime);
    // In the back buffer at once, before any paint pass.
    EXPECT_EQ(Form->BackBuffer().GetPixel(30, 30), clLime);
    EXPECT_EQ(Form->BackBuffer().GetPixel(49, 49), clLime);
    Form->BackBuffer().SetPixel(30, 30, 0);
    l.SetBorderColor(clLime);
    EXPECT_EQ(Form->BackBuffer().GetPixel(30, 30), clLime);
    l.SetBorderWidth(0);
    App.ProcessMessages();
}

TEST_F(Label3DTest, QuarterTurnSizesTheLabelToTheTurnedText) {
    TLabel3D& l = ProductLabel();
    const TSize text = TTextRenderer::TextExtent(l.Font(), "Veltrane");
    l.SetEscapement(90);
    ShowForm();
    EXPECT_EQ(l.Width(), text.cy);
    EXPECT_EQ(l.Height(), text.cx);
    const TRect ink = InkBounds(Shot(l), FormColor);
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.Height(), ink.Width());
}

TEST_F(Label3DTest, LinkUnderlinesAndTurnsRedWhileHovered) {
    TLabel3D& l = ProductLabel();
    l.SetLabelStyle(lsWWWAddress);
    int entered = 0, exited = 0;
    l.SetOnMouseEnter([&](TObject*) { ++entered; });
    l.SetOnMouseExit([&](TObject*) { ++exited; });
    ShowForm();
    MoveTo(l.Left() + 3, l.Top() + 3);
    EXPECT_EQ(entered, 1);
    EXPECT_TRUE(l.Font().Style().Contains(fsUnderline));
    EXPECT_EQ(l.Font().Color(), clRed);
    EXPECT_EQ(l.Cursor(), crHandPoint);
    MoveTo(5, 5);
    EXPECT_EQ(exited, 1);
    EXPECT_FALSE(l.Font().Style().Contains(fsUnderline));
    EXPECT_EQ(l.Font().Color(), Ink);
    EXPECT_EQ(l.Cursor(), crArrow);
}

TEST_F(Label3DTest, PlainLabelOnlyReportsEnterAndExit) {
    TLabel3D& l = ProductLabel();
    int entered = 0, exited = 0;
    l.SetOnMouseEnter([&](TObject*) { ++entered; });
    l.SetOnMouseExit([&](TObject*) { ++exited; });
    ShowForm();
    MoveTo(l.Left() + 3, l.Top() + 3);
    MoveTo(5, 5);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(exited, 1);
    EXPECT_EQ(l.Font().Color(), Ink);
    EXPECT_FALSE(l.Font().Style().Contains(fsUnderline));
}

TEST_F(Label3DTest, WebLinkWithoutAddressOnlyClicks) {
    TFakeOpener opener;
    TLabel3D& l = ProductLabel();
    l.SetLabelStyle(lsWWWAddress);
    int clicks = 0;
    l.SetOnClick([&](TObject*) { ++clicks; });
    ShowForm();
    MoveTo(l.Left() + 3, l.Top() + 3);
    Press();
    Release();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(opener.Opened(false), "");
}

TEST_F(Label3DTest, LinksOpenTheirAddress) {
    {
        TFakeOpener opener;
        TLabel3D& l = ProductLabel();
        l.SetLabelStyle(lsWWWAddress);
        l.SetAddress("https://example.org/veltrane");
        l.Click();
        EXPECT_EQ(opener.Opened(), "https://example.org/veltrane\n");
    }
    {
        TFakeOpener opener;
        TLabel3D& l = ProductLabel();
        l.SetLabelStyle(lsEMailAddress);
        l.SetAddress("someone@example.org");
        l.Click();
        EXPECT_EQ(opener.Opened(), "mailto:someone@example.org\n");
    }
}

TEST_F(Label3DTest, LinkThatCannotOpenStillClicks) {
    TTempFolder empty;
    TScopedEnvironment path("PATH", empty.Path());
    TLabel3D& l = ProductLabel();
    l.SetLabelStyle(lsEMailAddress);
    l.SetAddress("someone@example.org");
    int clicks = 0;
    l.SetOnClick([&](TObject*) { ++clicks; });
    EXPECT_NO_THROW(l.Click());
    EXPECT_EQ(clicks, 1);
}

TEST_F(Label3DTest, ExtremeValuesDrawWithoutHarm) {
    TLabel3D& l = ProductLabel();
    ShowForm();
    l.SetTextStyle(tsShadow);
    l.SetShift(INT_MAX);
    l.SetShift(INT_MIN);
    l.SetBorder(true);
    l.SetBorderWidth(INT_MAX);
    l.SetBorderWidth(-5);
    l.SetEscapement(INT_MAX);
    App.ProcessMessages();
    l.SetAutoSize(false);
    l.SetBounds(10, 10, 0, 0);
    l.SetEscapement(45);
    l.SetCaption("");
    App.ProcessMessages();
    EXPECT_EQ(l.BorderWidth(), -5);
}

TEST_F(Label3DTest, FormDefinitionCreatesTheLabel) {
    TClassRegistry classes;
    RegisterLabel3D(classes);
    const TClassInfo* info = classes.FindClass("TLabel3D");
    ASSERT_NE(info, nullptr);
    std::vector<std::string> own;
    for (const TPropInfo& p : info->Properties()) own.push_back(p.Name());
    const std::vector<std::string> order = {"BorderColor", "BorderPenStyle", "BorderWidth", "Border", "BorderType",
                                            "Escapement", "TextStyle", "LabelStyle", "Address", "EllipsesStyle", "Shift"};
    auto at = [&](const std::string& name) { return std::find(own.begin(), own.end(), name) - own.begin(); };
    for (std::size_t i = 1; i < order.size(); ++i) EXPECT_LT(at(order[i - 1]), at(order[i])) << order[i];
    EXPECT_NE(info->FindProperty("OnMouseExit"), nullptr);
    EXPECT_NE(info->FindProperty("Transparent"), nullptr);
    auto created = classes.CreateComponent("TLabel3D", nullptr);
    EXPECT_NE(dynamic_cast<TLabel3D*>(created.get()), nullptr);
}
