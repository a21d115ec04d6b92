#include "widgets/GradPageControl.h"
#include "widgets/GradientFill.h"

#include "ui/FormTestSupport.h"

#include "classes/ClassRegistry.h"
#include "ui/FrameworkClasses.h"
#include "ui/Image.h"
#include "ui/ImageList.h"
#include "classes/Published.h"
#include "ui/TabSheet.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor DialogBlue = 0x00984E00;

// Exposes what the tests drive directly.
class TTestGradPages : public TGradPageControl {
public:
    using TGradPageControl::TGradPageControl;
    using TComponent::SetComponentState;
    void Draw(const TDrawItemStruct& item) { DrawTab(item); }
};

// An image list of solid 6 x 6 squares in the given colours, each with a transparent corner.
void FillGlyphs(TImageList& list, std::initializer_list<TColor> colors) {
    list.SetWidth(6);
    list.SetHeight(6);
    for (TColor color : colors) {
        TBitmap image(6, 6);
        image.Fill(color);
        image.SetPixel(0, 5, clFuchsia);
        list.Add(image);
    }
}

class GradPagesTest : public ::testing::Test, public TFormFixture {
protected:
    GradPagesTest() {
        Pages = &Form->CreateComponent<TTestGradPages>();
        Pages->SetParent(Form);
        Pages->SetBounds(0, 0, 200, 120);
        for (const char* caption : {"Images", "Configuration", "About..."}) {
            TTabSheet& sheet = Form->CreateComponent<TTabSheet>();
            sheet.SetCaption(caption);
            sheet.SetPageControl(Pages);
            Sheets.push_back(&sheet);
        }
    }
    // The dialog's settings.
    void DialogLook() {
        TGradTabStyle& normal = Pages->TabStyle();
        normal.SetBorders(TglSides{});
        normal.SetBackgrColor(0x006E4E00);
        normal.Gradient().SetActive(true);
        TGradTabStyle& selected = Pages->TabSelectedStyle();
        selected.SetTextStyle(fstShadow);
        selected.Gradient().SetActive(true);
        selected.Gradient().SetFromColor(DialogBlue);
        selected.Gradient().SetToColor(clWhite);
        TFont bold = selected.Font();
        bold.SetStyle({fsBold});
        bold.SetColor(clWhite);
        selected.SetFont(bold);
        Pages->SetTabsPosition(fsdBottom);
    }
    TDrawItemStruct Item(int index, std::uint32_t state, TBitmap& target) {
        TDrawItemStruct item;
        item.ItemID = index;
        item.ItemState = state;
        item.Canvas = &target.Canvas();
        item.ItemRect = Rect(2, 2, 60, 22);
        return item;
    }

    TTestGradPages* Pages = nullptr;
    std::vector<TTabSheet*> Sheets;
};

} // namespace

TEST_F(GradPagesTest, ConstructionValues) {
    EXPECT_FALSE(Pages->TabStop());
    EXPECT_EQ(Pages->TabStyle().BackgrColor(), clBtnShadow);
    EXPECT_EQ(Pages->TabStyle().Font().Color(), clBtnHighlight);
    EXPECT_EQ(Pages->TabStyle().Font().Name(), "Arial");
    EXPECT_EQ(Pages->TabStyle().CaptionHAlign(), fhaCenter);
    EXPECT_EQ(Pages->TabSelectedStyle().BackgrColor(), clBtnFace);
    EXPECT_EQ(Pages->TabSelectedStyle().Font().Color(), clBtnText);
    EXPECT_EQ(Pages->TabSelectedStyle().CaptionHAlign(), fhaCenter);
    EXPECT_EQ(Pages->Options(), (TglTabOptions{ftoAutoFontDirection, ftoExcludeGlyphs}));
    EXPECT_EQ(Pages->TabsPosition(), fsdTop);
    EXPECT_EQ(Pages->FontDirection(), fldLeftRight);
    EXPECT_FALSE(Pages->FontsBuilt());
    EXPECT_EQ(Pages->Glyphs(), nullptr);
    EXPECT_EQ(Pages->StyleBits() & (TCS_OWNERDRAWFIXED | TCS_FOCUSNEVER), TCS_OWNERDRAWFIXED | TCS_FOCUSNEVER);
}

TEST_F(GradPagesTest, StyleBitsByPositionAndButtons) {
    const std::uint32_t sideBits = TCS_VERTICAL | TCS_RIGHT | TCS_BOTTOM;
    Pages->SetTabsPosition(fsdLeft);
    EXPECT_EQ(Pages->StyleBits() & sideBits, TCS_VERTICAL);
    Pages->SetTabsPosition(fsdRight);
    EXPECT_EQ(Pages->StyleBits() & sideBits, TCS_VERTICAL | TCS_RIGHT);
    Pages->SetTabsPosition(fsdBottom);
    EXPECT_EQ(Pages->StyleBits() & sideBits, TCS_BOTTOM);
    EXPECT_EQ(Pages->Layout().Position, tpBottom);
    EXPECT_FALSE(Pages->StyleBits() & TCS_BUTTONS);
    Pages->SetLookLikeButtons(true);
    EXPECT_TRUE(Pages->StyleBits() & TCS_BUTTONS);
    EXPECT_TRUE(Pages->Layout().Buttons);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]); // pages survive the re-creation
}

TEST_F(GradPagesTest, AutomaticFontDirectionAndRotatedFonts) {
    Pages->SetTabsPosition(fsdLeft);
    EXPECT_EQ(Pages->FontDirection(), fldDownUp);
    EXPECT_EQ(Pages->NormalTabFont().Escapement(), 900);
    EXPECT_EQ(Pages->SelectedTabFont().Escapement(), 900);
    Pages->SetTabsPosition(fsdRight);
    EXPECT_EQ(Pages->FontDirection(), fldUpDown);
    EXPECT_EQ(Pages->NormalTabFont().Escapement(), -900);
    Pages->SetFontDirection(fldRightLeft);
    EXPECT_EQ(Pages->SelectedTabFont().Escapement(), -1800);
    Pages->SetTabsPosition(fsdBottom);
    EXPECT_EQ(Pages->FontDirection(), fldLeftRight);
    EXPECT_EQ(Pages->NormalTabFont().Name(), "Arial");
    EXPECT_EQ(Pages->NormalTabFont().Color(), clBtnHighlight);
}

TEST_F(GradPagesTest, LoadingLeavesTheDirectionToOptions) {
    Pages->SetComponentState(TComponentState{csLoading});
    Pages->SetTabsPosition(fsdLeft);
    EXPECT_EQ(Pages->FontDirection(), fldLeftRight);
    Pages->SetOptions(TglTabOptions{ftoAutoFontDirection, ftoExcludeGlyphs}); // unchanged: nothing
    EXPECT_EQ(Pages->FontDirection(), fldLeftRight);
    Pages->SetOptions(TglTabOptions{ftoAutoFontDirection});
    EXPECT_EQ(Pages->FontDirection(), fldDownUp);
    Pages->SetComponentState(TComponentState{});
    Pages->SetOptions(TglTabOptions{});
    Pages->SetTabsPosition(fsdTop);
    EXPECT_EQ(Pages->FontDirection(), fldDownUp);
}

TEST_F(GradPagesTest, RebuildWaitsWhileReadingAndStyleFontColourWaitsForRebuild) {
    Pages->SetComponentState(TComponentState{csReading});
    Pages->RebuildTabFonts();
    EXPECT_FALSE(Pages->FontsBuilt());
    Pages->SetComponentState(TComponentState{});
    Pages->RebuildTabFonts();
    EXPECT_TRUE(Pages->FontsBuilt());
    Pages->TabStyle().Font().SetColor(clRed);
    EXPECT_EQ(Pages->NormalTabFont().Color(), clBtnHighlight);
    Pages->SetFontDirection(fldUpDown);
    EXPECT_EQ(Pages->NormalTabFont().Color(), clRed);
}

TEST_F(GradPagesTest, LargerStyleFontEnlargesTheControlFont) {
    const int before = Pages->Font().Size();
    TFont big = Pages->TabStyle().Font();
    big.SetSize(before + 6);
    const int oldHeight = Pages->TabRect(0).Height();
    Pages->TabStyle().SetFont(big);
    EXPECT_EQ(Pages->Font().Size(), before + 6);
    EXPECT_GT(Pages->TabRect(0).Height(), oldHeight); // the tabs grow for the larger captions
    TFont small = big;
    small.SetSize(4);
    Pages->TabSelectedStyle().SetFont(small);
    EXPECT_EQ(Pages->Font().Size(), before + 6);
}

TEST_F(GradPagesTest, InheritedTabFontsFollowTheControlFont) {
    Pages->SetOptions(TglTabOptions{ftoInheriteTabFonts});
    TFont font = Pages->Font();
    font.SetName("Tahoma");
    font.SetColor(clLime);
    Pages->SetFont(font);
    EXPECT_EQ(Pages->TabStyle().Font().Name(), "Tahoma");
    EXPECT_EQ(Pages->TabSelectedStyle().Font().Name(), "Tahoma");
    EXPECT_EQ(Pages->NormalTabFont().Color(), clLime);
}

TEST_F(GradPagesTest, PreparationPicksStyleAndFontByState) {
    Pages->RebuildTabFonts();
    TBitmap target(80, 30);
    Pages->Draw(Item(0, ODS_SELECTED, target));
    const TTabPaintRecord& r = Pages->TabPaintRecord();
    EXPECT_EQ(r.Style, &Pages->TabSelectedStyle());
    EXPECT_EQ(r.ItemFont->Color(), clBtnText);
    EXPECT_EQ(r.Caption, "Images");
    EXPECT_EQ(r.TabCount, 3);
    EXPECT_EQ(r.ItemColor, clBtnFace);
    EXPECT_EQ(r.Glyph, nullptr);
    EXPECT_FALSE(r.FlatButtons);
    EXPECT_EQ(r.ClientRect, Rect(0, 0, 200, 120));

    // Disabled and selected: the unselected style and font, the selected geometry.
    Pages->Draw(Item(1, ODS_SELECTED | ODS_DISABLED, target));
    EXPECT_EQ(r.Style, &Pages->TabStyle());
    EXPECT_EQ(r.ItemFont->Color(), clBtnHighlight);
    EXPECT_TRUE(r.DrawItem.ItemState & ODS_SELECTED);
    EXPECT_EQ(r.Caption, "Configuration");

    Pages->Draw(Item(2, 0, target));
    EXPECT_EQ(r.Style, &Pages->TabStyle());
    EXPECT_EQ(r.ItemColor, clBtnShadow);
    Pages->SetStyle(tsFlatButtons);
    Pages->Draw(Item(2, 0, target));
    EXPECT_TRUE(r.FlatButtons);
}

TEST_F(GradPagesTest, OtherControlTypesAreIgnored) {
    TBitmap target(80, 30);
    target.Fill(clLime);
    TDrawItemStruct item = Item(0, 0, target);
    item.CtlType = 4; // a button's record
    Pages->Draw(item);
    EXPECT_EQ(Pages->TabPaintRecord().Caption, "");
    EXPECT_EQ(target.GetPixel(10, 10), clLime);
}

TEST_F(GradPagesTest, EventsGiveColoursPerTab) {
    std::vector<int> gradients;
    Pages->SetOnGetItemFontColor([](TObject*, int index, TColor& color) { color = index == 1 ? clRed : clYellow; });
    Pages->SetOnGetItemColor([](TObject*, int, TColor& color) { color = clNavy; });
    Pages->SetOnGetGradientColors([&](TObject* sender, int index, TGradient& gradient) {
        EXPECT_EQ(sender, Pages);
        EXPECT_EQ(&gradient, &Pages->SpareGradient());
        gradients.push_back(index);
    });
    TBitmap target(80, 30);
    Pages->Draw(Item(1, 0, target));
    EXPECT_EQ(Pages->TabPaintRecord().ItemFont->Color(), clRed);
    EXPECT_EQ(Pages->TabPaintRecord().ItemColor, clNavy);
    EXPECT_EQ(gradients, std::vector<int>{1});
    // The unselected tab is filled with the item colour: no gradient, no wallpaper.
    EXPECT_EQ(target.GetPixel(10, 10), clNavy);
}

TEST_F(GradPagesTest, GlyphIndicesFollowSingleGlyphAndTheImageCount) {
    TImageList& glyphs = Form->CreateComponent<TImageList>();
    FillGlyphs(glyphs, {clRed, clLime});
    EXPECT_EQ(Pages->GetTabGlyphIndex(0), -1);
    for (int i = 0; i < 3; ++i) Pages->SetTabImageIndex(i, -1);
    Pages->SetGlyphs(&glyphs);
    EXPECT_EQ(Pages->GetTabGlyphIndex(0), 0);
    EXPECT_EQ(Pages->GetTabGlyphIndex(1), 1);
    EXPECT_EQ(Pages->GetTabGlyphIndex(2), -1); // past the image count
    Pages->SetSingleGlyph(true);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Pages->GetTabGlyphIndex(i), 0);
    // A new tab takes image 0 with SingleGlyph.
    TTabSheet& extra = Form->CreateComponent<TTabSheet>();
    extra.SetImageIndex(5);
    extra.SetPageControl(Pages);
    EXPECT_EQ(Pages->GetTabGlyphIndex(3), 0);
    Pages->SetSingleGlyph(false);
    EXPECT_EQ(Pages->GetTabGlyphIndex(1), 1);
    EXPECT_EQ(Pages->GetTabGlyphIndex(3), 0); // beyond the count: left as it was
    Pages->SetGlyphs(nullptr);
    EXPECT_EQ(Pages->GetTabGlyphIndex(1), -1);
}

TEST_F(GradPagesTest, GlyphsWithImagesAlreadySetAreLeftAlone) {
    TImageList& glyphs = Form->CreateComponent<TImageList>();
    FillGlyphs(glyphs, {clRed, clLime, clBlue});
    // The sheets' image indices (0 by default) stand.
    Sheets[2]->SetImageIndex(1);
    Pages->SetGlyphs(&glyphs);
    EXPECT_EQ(Pages->GetTabGlyphIndex(2), 1);
    EXPECT_EQ(Pages->GetTabGlyphIndex(1), 0);
}

TEST_F(GradPagesTest, DestroyedGlyphListIsForgotten) {
    const int plain = Pages->TabRect(0).Width();
    TImageList& glyphs = Form->CreateComponent<TImageList>();
    FillGlyphs(glyphs, {clRed});
    Pages->SetGlyphs(&glyphs);
    EXPECT_EQ(Pages->TabRect(0).Width(), plain + 6 + 3);
    glyphs.Free();
    EXPECT_EQ(Pages->Glyphs(), nullptr);
    EXPECT_EQ(Pages->TabRect(0).Width(), plain);
    EXPECT_EQ(Pages->GetTabGlyphIndex(0), -1);
}

TEST_F(GradPagesTest, GlyphIndexPastTheListPaintsNoGlyph) {
    TImageList& glyphs = Form->CreateComponent<TImageList>();
    FillGlyphs(glyphs, {clRed});
    Pages->SetGlyphs(&glyphs);
    Pages->SetTabGlyphIndex(0, 7);
    Pages->TabStyle().SetBackgrColor(clNavy);
    TBitmap target(80, 30);
    Pages->Draw(Item(0, 0, target));
    EXPECT_EQ(Pages->TabPaintRecord().Glyph, nullptr);
    Pages->SetTabGlyphIndex(0, 0);
    Pages->Draw(Item(0, 0, target));
    ASSERT_NE(Pages->TabPaintRecord().Glyph, nullptr);
    EXPECT_EQ(Pages->TabPaintRecord().Glyph->GetPixel(1, 1), clRed);
}

TEST_F(GradPagesTest, DialogTabsOnTheScreen) {
    DialogLook();
    ShowForm();
    // The selected first tab joins the page; its gradient runs from the dialog blue.
    const TRect item0 = TabDrawRect(Pages->Layout(), 0, 0);
    const TRect p0 = Rect(item0.Left + 3, item0.Top, item0.Right - 4, item0.Bottom - 3);
    EXPECT_EQ(Pixel(p0.Left, p0.Top), DialogBlue);
    EXPECT_EQ(Pixel(p0.Left, p0.Bottom - 1), clWhite);
    EXPECT_EQ(Pixel(item0.Left, item0.Top), ColorToDrawRGB(clBtnFace));
    EXPECT_EQ(Pixel(item0.Left + 1, item0.Top + 1), ColorToDrawRGB(clBtnFace));
    // Unselected tabs: grey to black, one band per row, from two rows above their rectangle
    // (their left two columns lie under the larger selected tab).
    const TRect item1 = Pages->TabRect(1);
    const int rows = item1.Height() + 2 - 3;
    for (int row = 0; row < rows; ++row)
        EXPECT_EQ(Pixel(item1.Left + 3, item1.Top - 2 + row), GradientBandColor(clGray, clBlack, row, rows)) << row;
    // Below P the native tab shows: button face, then its shadow and dark edges.
    EXPECT_EQ(Pixel(item1.Left + 3, item1.Bottom - 3), ColorToDrawRGB(clBtnFace));
    EXPECT_EQ(Pixel(item1.Left + 3, item1.Bottom - 2), ColorToDrawRGB(clBtnShadow));
    EXPECT_EQ(Pixel(item1.Left + 3, item1.Bottom - 1), ColorToDrawRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(item1.Right - 2, item1.Top + 3), ColorToDrawRGB(clBtnShadow)); // the native edge beside P

    // A click on the second tab switches the page and repaints both tabs.
    ClickAt((item1.Left + item1.Right) / 2, (item1.Top + item1.Bottom) / 2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    const TRect item1Selected = TabDrawRect(Pages->Layout(), 1, 1);
    EXPECT_EQ(Pixel(item1Selected.Left + 3, item1Selected.Top), DialogBlue);
    const TRect item0Now = Pages->TabRect(0);
    EXPECT_EQ(Pixel(item0Now.Left + 1, item0Now.Top - 2), clGray);
    EXPECT_EQ(Pixel(item0Now.Left + 1, item0Now.Top - 1), GradientBandColor(clGray, clBlack, 1, rows));
}

TEST_F(GradPagesTest, WallpaperOnPageAndTabs) {
    TBitmap picture(2, 2);
    picture.Fill(clTeal);
    Pages->Wallpaper().SetBitmap(&picture);
    Pages->Wallpaper().SetFillClient(true);
    ShowForm();
    // The page area left free by the sheet: the frame's edge, one pixel in.
    EXPECT_EQ(Pixel(1, 60), clTeal);
    EXPECT_EQ(Pixel(3, 60), clTeal);
    EXPECT_EQ(Pixel(0, 60), ColorToDrawRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(100, 80), ColorToDrawRGB(clBtnFace)); // the sheet lies over it
    // Behind an unselected tab, without gradient: the wallpaper instead of the background.
    const TRect item1 = Pages->TabRect(1);
    EXPECT_EQ(Pixel(item1.Left + 3, item1.Top + 1), clTeal);
    Pages->Wallpaper().SetFillCaptions(false);
    App.ProcessMessages();
    EXPECT_EQ(Pixel(item1.Left + 3, item1.Top + 3), ColorToDrawRGB(clBtnShadow));
}

TEST_F(GradPagesTest, ZeroSizedControlPaintsWithoutHarm) {
    DialogLook();
    Pages->SetBounds(0, 0, 0, 0);
    TBitmap picture(2, 2);
    Pages->Wallpaper().SetBitmap(&picture);
    Pages->Wallpaper().SetFillClient(true);
    Pages->Wallpaper().SetFillCaptionBakgr(true);
    ShowForm();
    EXPECT_TRUE(Pages->DisplayRect().IsEmpty());
    EXPECT_EQ(Pixel(5, 5), clBlue);
    Pages->SetTabsPosition(fsdLeft);
    Pages->SetLookLikeButtons(true);
    App.ProcessMessages();
    EXPECT_EQ(Pixel(5, 5), clBlue);
}

TEST_F(GradPagesTest, WallpaperImageIsForgottenWhenDestroyed) {
    TImage& image = Form->CreateComponent<TImage>();
    TBitmap picture(2, 2);
    picture.Fill(clTeal);
    image.Picture()->SetBitmap(picture);
    Pages->Wallpaper().SetImage(&image);
    ASSERT_NE(Pages->Wallpaper().CurrentBitmap(), nullptr);
    image.Free();
    EXPECT_EQ(Pages->Wallpaper().Image(), nullptr);
    EXPECT_EQ(Pages->Wallpaper().CurrentBitmap(), nullptr);
    ShowForm(); // paints without the image
}

namespace {

const char* const DialogPagesDefinition =
    "object frmPages: TTestGradPagesForm\n"
    "  ClientWidth = 450\n"
    "  ClientHeight = 354\n"
    "  object pgcOp: TGradPageControl\n"
    "    Left = 0\n"
    "    Top = 137\n"
    "    Width = 450\n"
    "    Height = 185\n"
    "    ActivePage = tabImg\n"
    "    TabStop = False\n"
    "    TabStyle.Borders = []\n"
    "    TabStyle.BackgrColor = 7228928\n"
    "    TabStyle.Font.Charset = DEFAULT_CHARSET\n"
    "    TabStyle.Font.Color = clBtnHighlight\n"
    "    TabStyle.Font.Height = -11\n"
    "    TabStyle.Font.Name = 'Arial'\n"
    "    TabStyle.Font.Style = []\n"
    "    TabStyle.CaptionHAlign = fhaCenter\n"
    "    TabStyle.Gradient.Active = True\n"
    "    TabStyle.Gradient.Orientation = fgdHorizontal\n"
    "    TabSelectedStyle.BackgrColor = clBtnFace\n"
    "    TabSelectedStyle.Font.Color = clWhite\n"
    "    TabSelectedStyle.Font.Height = -11\n"
    "    TabSelectedStyle.Font.Name = 'Arial'\n"
    "    TabSelectedStyle.Font.Style = [fsBold]\n"
    "    TabSelectedStyle.TextStyle = fstShadow\n"
    "    TabSelectedStyle.CaptionHAlign = fhaCenter\n"
    "    TabSelectedStyle.Gradient.FromColor = 9981440\n"
    "    TabSelectedStyle.Gradient.ToColor = clWhite\n"
    "    TabSelectedStyle.Gradient.Active = True\n"
    "    TabSelectedStyle.Gradient.Orientation = fgdHorizontal\n"
    "    TabsPosition = fsdBottom\n"
    "    Options = [ftoAutoFontDirection, ftoExcludeGlyphs]\n"
    "    object tabImg: TTabSheet\n"
    "      Caption = 'Images'\n"
    "    end\n"
    "    object tabConfig: TTabSheet\n"
    "      Caption = 'Configuration'\n"
    "      ImageIndex = 1\n"
    "    end\n"
    "    object tabAbout: TTabSheet\n"
    "      Caption = 'About...'\n"
    "      ImageIndex = 2\n"
    "    end\n"
    "  end\n"
    "end\n";

class TTestGradPagesForm : public TForm {
public:
    VELTRANE_CLASS_INFO
    explicit TTestGradPagesForm(TComponent* owner) : TForm(owner) {
        TClassRegistry classes;
        RegisterFrameworkClasses(classes);
        RegisterGradPageControlClasses(classes);
        ReadFormText(DialogPagesDefinition, classes, "TFRMPAGES");
    }
    TGradPageControl* pgcOp = nullptr;
    TTabSheet* tabImg = nullptr;
};

const TClassInfo& TTestGradPagesForm::StaticClass() {
    using T = TTestGradPagesForm;
    static const TClassInfo info = MakeClass<T, TForm>(
        "TTestGradPagesForm", {}, {}, {PublishedField("pgcOp", &T::pgcOp), PublishedField("tabImg", &T::tabImg)});
    return info;
}

} // namespace

TEST(GradPagesForm, DialogDefinitionLoadsAndBuildsFontsAfterReading) {
    TMemoryDisplay display(640, 480);
    TApplication app(display);
    auto& form = app.CreateForm<TTestGradPagesForm>();
    ASSERT_NE(form.pgcOp, nullptr);
    TGradPageControl& p = *form.pgcOp;
    EXPECT_EQ(p.PageCount(), 3);
    EXPECT_EQ(p.ActivePage(), form.tabImg);
    EXPECT_EQ(p.TabsPosition(), fsdBottom);
    EXPECT_EQ(p.FontDirection(), fldLeftRight);
    EXPECT_TRUE(p.TabStyle().Borders().Empty());
    EXPECT_EQ(p.TabStyle().BackgrColor(), 0x006E4E00u);
    EXPECT_TRUE(p.TabSelectedStyle().Gradient().Active());
    EXPECT_EQ(p.TabSelectedStyle().Gradient().RGBFromColor(), DialogBlue);
    EXPECT_TRUE(p.FontsBuilt());
    EXPECT_EQ(p.SelectedTabFont().Color(), clWhite);
    EXPECT_TRUE(p.SelectedTabFont().Style().Contains(fsBold));
    EXPECT_EQ(p.NormalTabFont().Color(), clBtnHighlight);
    EXPECT_EQ(p.GetTabGlyphIndex(1), -1); // image indices without Glyphs have no effect
    EXPECT_EQ(p.TabImageIndex(2), 2);
    EXPECT_EQ(p.Layout().Position, tpBottom);
}
