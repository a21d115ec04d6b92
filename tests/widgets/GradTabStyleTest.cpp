#include "widgets/GradTabStyle.h"
#include "widgets/GradTabsWallpaper.h"

#include "classes/ClassInfo.h"
#include "ui/Image.h"
#include "classes/PropInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TFakeOwner : public TGradTabStyleOwner {
public:
    TFakeOwner() { Font.SetName("Tahoma"); }
    const TFont& TabControlFont() const override { return Font; }
    void SetTabControlFont(const TFont& font) override {
        Font = font;
        ++Enlarged;
    }
    TFont Font;
    int Enlarged = 0;
};

} // namespace

TEST(GradTabStyle, StartValuesAndOwnerFontCopy) {
    TFakeOwner owner;
    TGradTabStyle s(&owner);
    EXPECT_EQ(s.Borders(), AllSides);
    EXPECT_EQ(s.BevelInner(), bvNone);
    EXPECT_EQ(s.BevelOuter(), bvNone);
    EXPECT_FALSE(s.Bold());
    EXPECT_EQ(s.BackgrColor(), clBtnFace);
    EXPECT_EQ(s.Font().Name(), "Tahoma");
    EXPECT_EQ(s.TextStyle(), fstNone);
    EXPECT_EQ(s.CaptionHAlign(), fhaLeft);
    EXPECT_EQ(s.CaptionVAlign(), fvaCenter);
    EXPECT_EQ(s.GlyphHAlign(), fhaLeft);
    EXPECT_EQ(s.GlyphVAlign(), fvaCenter);
    EXPECT_FALSE(s.Gradient().Active());
    EXPECT_EQ(s.OwnerControl(), &owner);
}

TEST(GradTabStyle, SettersNotifyOnlyOnChange) {
    TGradTabStyle s;
    int changes = 0;
    s.OnChanged = [&](TGradTabStyle&) { ++changes; };
    s.SetBold(false);
    s.SetBackgrColor(clBtnFace);
    s.SetBorders(AllSides);
    EXPECT_EQ(changes, 0);
    s.SetBold(true);
    s.SetBackgrColor(clRed);
    s.SetBorders(TglSides{fsdLeft});
    s.SetTextStyle(fstShadow);
    s.SetCaptionHAlign(fhaCenter);
    s.SetCaptionVAlign(fvaTop);
    s.SetGlyphHAlign(fhaRight);
    s.SetGlyphVAlign(fvaBottom);
    s.SetBevelInner(bvLowered);
    s.SetBevelOuter(bvSpace);
    EXPECT_EQ(changes, 10);
    s.Font().SetColor(clRed); // a value of the font directly: nothing
    EXPECT_EQ(changes, 10);
}

TEST(GradTabStyle, AssigningALargerFontEnlargesTheOwnerFont) {
    TFakeOwner owner;
    TGradTabStyle s(&owner);
    int fontChanges = 0;
    s.OnFontChanged = [&](TGradTabStyle&) { ++fontChanges; };
    TFont same = owner.Font;
    s.SetFont(same);
    EXPECT_EQ(fontChanges, 1); // raised although nothing changed
    EXPECT_EQ(owner.Enlarged, 0);
    TFont big;
    big.SetName("Arial");
    big.SetSize(14);
    TPersistentFont wrapped(big);
    s.SetFont(&wrapped);
    EXPECT_EQ(fontChanges, 2);
    EXPECT_EQ(owner.Enlarged, 1);
    EXPECT_EQ(owner.Font.Size(), 14);
    EXPECT_EQ(s.Font().Name(), "Arial");
    TFont small;
    small.SetSize(6);
    s.SetFont(small);
    EXPECT_EQ(owner.Enlarged, 1);
    EXPECT_EQ(owner.Font.Size(), 14);
    EXPECT_EQ(s.Font().Size(), 6);
}

TEST(GradTabStyle, AssignCopiesEveryValue) {
    TGradTabStyle a, b;
    a.SetBold(true);
    a.SetBorders(TglSides{fsdTop});
    a.SetBackgrColor(0x123456);
    a.Font().SetName("Arial");
    a.Gradient().SetActive(true);
    a.Gradient().SetSteps(300);
    b.Assign(a);
    EXPECT_TRUE(b.Bold());
    EXPECT_EQ(b.Borders(), TglSides{fsdTop});
    EXPECT_EQ(b.BackgrColor(), 0x123456u);
    EXPECT_EQ(b.Font().Name(), "Arial");
    EXPECT_TRUE(b.Gradient().Active());
    EXPECT_EQ(b.Gradient().Steps(), 255);
}

TEST(GradTabStyle, PublishedInOrder) {
    std::vector<std::string> names;
    const TClassInfo& info = TGradTabStyle::StaticClass();
    for (const TPropInfo& p : info.Properties()) names.push_back(p.Name());
    EXPECT_EQ(names, (std::vector<std::string>{"Borders", "BevelInner", "BevelOuter", "Bold", "BackgrColor", "Font",
                                               "TextStyle", "CaptionHAlign", "CaptionVAlign", "GlyphHAlign",
                                               "GlyphVAlign", "Gradient"}));
}

TEST(GradTabsWallpaper, CurrentBitmapFollowsBitmapAndImage) {
    TGradTabsWallpaper w;
    EXPECT_TRUE(w.FillCaptions());
    EXPECT_FALSE(w.FillCaptionBakgr());
    EXPECT_FALSE(w.FillClient());
    EXPECT_TRUE(w.Tile());
    EXPECT_TRUE(w.IncludeBevels());
    EXPECT_EQ(w.CurrentBitmap(), nullptr);
    int changes = 0;
    w.OnChanged = [&](TGradTabsWallpaper&) { ++changes; };
    TBitmap picture(3, 2);
    w.SetBitmap(&picture);
    EXPECT_EQ(changes, 0);
    ASSERT_NE(w.Bitmap(), nullptr);
    EXPECT_EQ(w.CurrentBitmap(), w.Bitmap());
    EXPECT_EQ(w.Bitmap()->Width(), 3);

    TImage image(nullptr);
    w.SetImage(&image); // an image without picture: the own bitmap stays
    EXPECT_EQ(w.CurrentBitmap(), w.Bitmap());
    image.Picture()->SetBitmap(TBitmap(5, 5));
    w.SetImage(&image);
    EXPECT_EQ(changes, 2);
    ASSERT_NE(w.CurrentBitmap(), nullptr);
    EXPECT_EQ(w.CurrentBitmap()->Width(), 5);
    image.Picture()->SetBitmap(TBitmap(7, 7)); // a new picture of the image counts at once
    EXPECT_EQ(w.CurrentBitmap()->Width(), 7);
    w.SetBitmap(static_cast<const TBitmap*>(nullptr));
    EXPECT_EQ(w.CurrentBitmap()->Width(), 7);
    w.SetImage(nullptr);
    EXPECT_EQ(w.CurrentBitmap(), nullptr); // the own bitmap, empty
    EXPECT_EQ(changes, 3);
    w.SetTile(true);
    w.SetTile(false);
    w.SetFillClient(true);
    w.SetFillCaptions(false);
    w.SetFillCaptionBakgr(true);
    w.SetIncludeBevels(false);
    EXPECT_EQ(changes, 8);
}
