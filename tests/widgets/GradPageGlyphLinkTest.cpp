// The gradient page control follows changes of its Glyphs list.

#include "widgets/GradPageControl.h"

#include "ui/FormTestSupport.h"

#include "ui/ImageList.h"
#include "ui/TabSheet.h"

#include <gtest/gtest.h>

namespace {

class GradPageGlyphLinkTest : public ::testing::Test, public TFormFixture {
protected:
    GradPageGlyphLinkTest() {
        Pages = &Form->CreateComponent<TGradPageControl>();
        Pages->SetParent(Form);
        Pages->SetBounds(0, 0, 240, 120);
        for (const char* caption : {"Images", "Configuration"}) {
            TTabSheet& sheet = Form->CreateComponent<TTabSheet>();
            sheet.SetCaption(caption);
            sheet.SetPageControl(Pages);
        }
    }

    TGradPageControl* Pages = nullptr;
};

} // namespace

TEST_F(GradPageGlyphLinkTest, ListSizeChangeReMeasuresTheTabs) {
    const int plain = Pages->TabRect(0).Width();
    TImageList& glyphs = Form->CreateComponent<TImageList>();
    Pages->SetGlyphs(&glyphs);
    EXPECT_EQ(Pages->TabRect(0).Width(), plain + 16 + 3);
    glyphs.SetWidth(6);
    EXPECT_EQ(Pages->TabRect(0).Width(), plain + 6 + 3);
    glyphs.SetWidth(10);
    EXPECT_EQ(Pages->TabRect(0).Width(), plain + 10 + 3);
}

TEST_F(GradPageGlyphLinkTest, AddedImagesRepaintTheTabs) {
    TImageList& glyphs = Form->CreateComponent<TImageList>();
    glyphs.SetWidth(6);
    glyphs.SetHeight(6);
    Pages->SetGlyphs(&glyphs);
    ShowForm();
    Pages->SetTabGlyphIndex(0, 0); // an index the list cannot show yet
    App.ProcessMessages();
    const TRect tab = Pages->TabRect(0);
    auto hasRed = [&] {
        for (int y = tab.Top; y < tab.Bottom; ++y)
            for (int x = tab.Left; x < tab.Right; ++x)
                if (Pixel(x, y) == clRed) return true;
        return false;
    };
    EXPECT_FALSE(hasRed());
    TBitmap image(6, 6);
    image.Fill(clRed);
    image.SetPixel(0, 5, clFuchsia);
    glyphs.Add(image);
    App.ProcessMessages();
    EXPECT_TRUE(hasRed()) << "the new image shows without another trigger";
}

TEST_F(GradPageGlyphLinkTest, ReplacedOrDestroyedControlLeavesNoLinkBehind) {
    TImageList& first = Form->CreateComponent<TImageList>();
    TImageList& second = Form->CreateComponent<TImageList>();
    Pages->SetGlyphs(&first);
    Pages->SetGlyphs(&second);
    const int withSecond = Pages->TabRect(0).Width();
    first.SetWidth(40); // no longer the control's list
    EXPECT_EQ(Pages->TabRect(0).Width(), withSecond);
    Pages->Free();
    Pages = nullptr;
    second.SetWidth(30); // the control is gone: nothing runs
    TBitmap image(30, 16);
    second.Add(image);
    EXPECT_EQ(second.Count(), 1);
}

TEST_F(GradPageGlyphLinkTest, TwoControlsShareOneList) {
    TGradPageControl& other = Form->CreateComponent<TGradPageControl>();
    other.SetParent(Form);
    other.SetBounds(0, 130, 240, 60);
    TTabSheet& sheet = Form->CreateComponent<TTabSheet>();
    sheet.SetCaption("Images");
    sheet.SetPageControl(&other);
    const int plain = other.TabRect(0).Width();
    TImageList& glyphs = Form->CreateComponent<TImageList>();
    Pages->SetGlyphs(&glyphs);
    other.SetGlyphs(&glyphs);
    glyphs.SetWidth(8);
    EXPECT_EQ(other.TabRect(0).Width(), plain + 8 + 3);
    EXPECT_EQ(Pages->TabRect(0).Width(), other.TabRect(0).Width());
}
