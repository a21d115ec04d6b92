// Flat buttons take their image from a framework image list put into Glyph.

#include "FlatButtonFixture.h"

#include "ui/ImageList.h"

#include "gfx/Bitmap.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Face = 0x00794000;

class FlatButtonImageListTest : public ::testing::Test, public TFlatButtonFixture {
protected:
    // A list of two 8 x 8 images, lime then red.
    TImageList& Images() {
        TImageList& list = Form->CreateComponent<TImageList>();
        list.SetWidth(8);
        list.SetHeight(8);
        TBitmap strip(16, 8, TPixelFormat::pf24bit);
        strip.Fill(clLime);
        for (int y = 0; y < 8; ++y)
            for (int x = 8; x < 16; ++x) strip.SetPixel(x, y, clRed);
        list.Add(strip);
        return list;
    }
};

} // namespace

TEST_F(FlatButtonImageListTest, PushButtonDrawsTheListsImageCentred) {
    TFlatButton& b = Add<TFlatButton>(20, 20);
    b.SetCaption("");
    b.SetColor(Face);
    b.SetGlyphIndex(1);
    b.SetGlyph(&Images());
    ShowForm();
    // (75 - 8) / 2 = 33, (25 - 8) / 2 = 8 inside the one-pixel frame.
    EXPECT_EQ(Pixel(20 + 33, 20 + 8), clRed);
    EXPECT_EQ(Pixel(20 + 40, 20 + 15), clRed);
    EXPECT_EQ(Pixel(20 + 32, 20 + 8), Face);
    EXPECT_EQ(Pixel(20 + 41, 20 + 16), Face);
}

TEST_F(FlatButtonImageListTest, ImageStandsLeftOfTheCaption) {
    TFlatButton& b = Add<TFlatButton>(20, 20, 120, 25);
    b.SetCaption("Go");
    b.SetColor(Face);
    b.SetGlyphIndex(0);
    b.SetGlyph(&Images());
    ShowForm();
    bool lime = false;
    for (int x = 21; x < 20 + 60 && !lime; ++x) lime = Pixel(x, 20 + 12) == clLime;
    EXPECT_TRUE(lime);
}

TEST_F(FlatButtonImageListTest, IndexOutsideTheListDrawsNoImage) {
    TFlatButton& b = Add<TFlatButton>(20, 20);
    b.SetCaption("");
    b.SetColor(Face);
    b.SetGlyphIndex(2);
    b.SetGlyph(&Images());
    ShowForm();
    EXPECT_EQ(Pixel(20 + 33, 20 + 8), Face);
    EXPECT_EQ(Pixel(20 + 37, 20 + 12), Face);
}

TEST_F(FlatButtonImageListTest, RadioButtonImageReplacesTheMark) {
    TFlatRadioButton& r = Add<TFlatRadioButton>(20, 20, 40, 20);
    r.SetCaption("");
    r.SetColor(Face);
    r.SetChecked(true);
    r.SetGlyphIndex(0);
    r.SetGlyph(&Images());
    ShowForm();
    // (40 - 8) / 2 = 16, (20 - 8) / 2 = 6; no border on a radio button.
    EXPECT_EQ(Pixel(20 + 16, 20 + 6), clLime);
    EXPECT_EQ(Pixel(20 + 20, 20 + 10), clLime) << "the image, not the check mark's dot";
}

TEST_F(FlatButtonImageListTest, RadioButtonWithAListButNoImageShowsNoMark) {
    TFlatRadioButton& r = Add<TFlatRadioButton>(20, 20, 40, 20);
    r.SetCaption("");
    r.SetColor(Face);
    r.SetChecked(true);
    r.SetGlyph(&Images()); // GlyphIndex -1
    ShowForm();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(Pixel(20 + x, 20 + y), Face) << x << "," << y;
}

TEST_F(FlatButtonImageListTest, ListsDestructionDropsTheGlyph) {
    TFlatButton& b = Add<TFlatButton>(20, 20);
    b.SetCaption("");
    b.SetColor(Face);
    b.SetGlyphIndex(0);
    TImageList& list = Images();
    b.SetGlyph(&list);
    ShowForm();
    EXPECT_EQ(Pixel(20 + 33, 20 + 8), clLime);
    list.Free();
    App.ProcessMessages();
    EXPECT_EQ(b.Glyph(), nullptr);
    EXPECT_EQ(Pixel(20 + 33, 20 + 8), Face);
}
