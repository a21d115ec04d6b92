#include "StandardControlsSupport.h"

#include "classes/Filer.h"
#include "ui/GroupBox.h"
#include "ui/Image.h"
#include "ui/ImageList.h"
#include "ui/Shape.h"

#include "gfx/BmpCodec.h"
#include "gfx/Canvas.h"
#include "platform/Exception.h"
#include "platform/Resources.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// A 4 x 3 bitmap: red, except a green top-left pixel and a white bottom-left one.
TBitmap SmallBitmap() {
    TBitmap b(4, 3, TPixelFormat::pf24bit);
    b.Fill(clRed);
    b.SetPixel(0, 0, clLime);
    b.SetPixel(0, 2, clWhite);
    return b;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string s;
    char buf[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", b);
        s += buf;
    }
    return s;
}

class ImageShapeTest : public ::testing::Test, public TFormFixture {
protected:
    template <class T>
    T& Add(int left, int top, int width, int height, TWinControl* parent = nullptr) {
        auto& c = Form->CreateComponent<T>();
        c.SetParent(parent ? parent : Form);
        c.SetBounds(left, top, width, height);
        return c;
    }
};

TEST_F(ImageShapeTest, ImageDrawsItsBitmapAtTheTopLeftCorner) {
    auto& image = Add<TImage>(10, 10, 20, 20);
    image.Picture()->SetBitmap(SmallBitmap());
    ShowForm();
    EXPECT_EQ(Pixel(10, 10), clLime);
    EXPECT_EQ(Pixel(13, 11), clRed);
    EXPECT_EQ(Pixel(14, 10), clBlue) << "beyond the picture the parent shows";
    EXPECT_EQ(Pixel(10, 13), clBlue);
}

TEST_F(ImageShapeTest, StretchCenterAndTransparent) {
    auto& image = Add<TImage>(10, 10, 8, 6);
    image.Picture()->SetBitmap(SmallBitmap());
    image.SetStretch(true);
    EXPECT_EQ(image.DestRect(), Rect(0, 0, 8, 6));
    image.SetProportional(true);
    EXPECT_EQ(image.DestRect(), Rect(0, 0, 8, 6));
    image.SetStretch(false);
    image.SetCenter(true);
    EXPECT_EQ(image.DestRect(), Rect(2, 1, 6, 4)) << "proportional does not enlarge";
    image.SetCenter(false);
    image.SetTransparent(true);
    ShowForm();
    EXPECT_EQ(Pixel(10, 12), clBlue) << "the bottom-left colour is transparent";
    EXPECT_EQ(Pixel(11, 12), clRed);
    EXPECT_EQ(Pixel(10, 10), clLime);
}

TEST_F(ImageShapeTest, AutoSizeFollowsThePicture) {
    auto& image = Add<TImage>(10, 10, 50, 50);
    image.SetAutoSize(true);
    image.Picture()->SetBitmap(SmallBitmap());
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.Height(), 3);
}

TEST_F(ImageShapeTest, PictureFromBmpAndJpegBytesAndResources) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&] { ++changes; };
    picture.LoadFromBytes(TBmpCodec::Write(SmallBitmap()));
    EXPECT_EQ(picture.Format(), TPicture::pfBitmap);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Bitmap()->GetPixel(0, 0), clLime);

    picture.SetResourceName("SpinUp");
    EXPECT_EQ(picture.Width(), 9);
    EXPECT_EQ(picture.Height(), 6);
    EXPECT_EQ(picture.ResourceName(), "SpinUp");

    const TResourceBytes jpeg = LoadResource("RCDATA", "IMG01");
    picture.LoadFromBytes(jpeg);
    EXPECT_EQ(picture.Format(), TPicture::pfJpeg);
    EXPECT_GT(picture.Width(), 0);
    EXPECT_EQ(changes, 3);
}

TEST_F(ImageShapeTest, BrokenOrMissingPicturesRaiseAndLeaveThePictureAsItWas) {
    TPicture picture;
    picture.SetBitmap(SmallBitmap());
    const std::vector<std::uint8_t> junk{'B', 'M', 1, 2, 3};
    EXPECT_THROW(picture.LoadFromBytes(junk), EInvalidGraphic);
    const std::vector<std::uint8_t> halfJpeg{0xFF, 0xD8, 0xFF};
    EXPECT_THROW(picture.LoadFromBytes(halfJpeg), EInvalidGraphic);
    EXPECT_THROW(picture.SetResourceName("NoSuchPicture"), EResNotFound);
    EXPECT_EQ(picture.Width(), 4);
    picture.LoadFromBytes({});
    EXPECT_TRUE(picture.Empty());
}

TEST_F(ImageShapeTest, FormDefinitionGivesPicturesAsStoredDataOrResourceName) {
    TPicture stored;
    stored.SetBitmap(SmallBitmap());
    TFiler filer;
    stored.DefineProperties(filer);
    std::vector<std::uint8_t> data;
    filer.Find("Data")->WriteBinary(data);
    ASSERT_GT(data.size(), 8u);
    EXPECT_EQ(data[0], 7) << "the class name TBitmap comes first";

    int clicks = 0;
    ReadStandardForm(*Form, "object Form1: TForm\n"
                            "  object img01: TImage\n    Tag = 1\n    Left = 5\n    Top = 7\n    Width = 105\n    Height = 85\n"
                            "    Picture.Data = {" + Hex(data) + "}\n  end\n"
                            "  object Image2: TImage\n    Picture.ResourceName = 'SpinDown'\n  end\n"
                            "  object imgRaw: TImage\n    Picture.Data = {" + Hex(TBmpCodec::Write(SmallBitmap())) + "}\n  end\n"
                            "end\n");
    auto* img01 = dynamic_cast<TImage*>(Form->FindComponent("img01"));
    ASSERT_NE(img01, nullptr);
    EXPECT_EQ(img01->Tag(), 1);
    EXPECT_EQ(img01->Picture()->Bitmap()->GetPixel(0, 0), clLime);
    EXPECT_EQ(dynamic_cast<TImage*>(Form->FindComponent("Image2"))->Picture()->Width(), 9);
    EXPECT_EQ(dynamic_cast<TImage*>(Form->FindComponent("imgRaw"))->Picture()->Width(), 4);

    img01->SetOnClick([&](TObject* sender) { clicks += sender == img01; });
    ShowForm();
    ClickAt(108, 50);  // the other two images cover 0..104
    EXPECT_EQ(clicks, 1);
}

TEST_F(ImageShapeTest, ShapeFillsWithItsBrushAndAClearPenLeavesOnePixelOut) {
    auto& shape = Add<TShape>(10, 10, 20, 10);
    shape.Brush()->SetColor(0x804000);
    shape.Pen()->SetStyle(psClear);
    ShowForm();
    EXPECT_EQ(Pixel(10, 10), 0x804000u);
    EXPECT_EQ(Pixel(28, 18), 0x804000u);
    EXPECT_EQ(Pixel(29, 18), clBlue) << "a clear pen leaves the figure one pixel narrower";
    EXPECT_EQ(Pixel(28, 19), clBlue);
}

TEST_F(ImageShapeTest, ShapeOutlineAndCircle) {
    auto& shape = Add<TShape>(10, 10, 20, 10);
    shape.Brush()->SetColor(clYellow);
    ShowForm();
    EXPECT_EQ(Pixel(10, 10), clBlack);
    EXPECT_EQ(Pixel(29, 19), clBlack);
    EXPECT_EQ(Pixel(11, 11), clYellow);
    shape.SetShape(stCircle);
    App.ProcessMessages();
    EXPECT_EQ(Pixel(20, 15), clYellow) << "the centre";
    EXPECT_EQ(Pixel(11, 11), clBlue) << "outside the circle";
    EXPECT_EQ(Pixel(12, 15), clBlue) << "the circle is centred: its left edge is at 15";
}

TEST_F(ImageShapeTest, ZeroSizedControlsPaintNothingAndDoNotFail) {
    auto& shape = Add<TShape>(10, 10, 0, 0);
    auto& image = Add<TImage>(10, 10, 0, 0);
    image.Picture()->SetBitmap(SmallBitmap());
    image.SetStretch(true);
    auto& box = Add<TGroupBox>(10, 10, 0, 0);
    box.SetCaption("&");
    shape.Pen()->SetWidth(9);
    ShowForm();
    EXPECT_EQ(Pixel(10, 10), clBlue);
}

TEST_F(ImageShapeTest, ShapeReadFromAFormDefinition) {
    ReadStandardForm(*Form, "object Form1: TForm\n  object Shape2: TShape\n    Left = 11\n    Top = 16\n"
                            "    Width = 422\n    Height = 41\n    Brush.Color = 8404992\n    Pen.Style = psClear\n"
                            "    Shape = stRoundRect\n  end\nend\n");
    auto* shape = dynamic_cast<TShape*>(Form->FindComponent("Shape2"));
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->Brush()->GetColor(), 8404992u);
    EXPECT_EQ(shape->Pen()->GetStyle(), psClear);
    EXPECT_EQ(shape->Shape(), stRoundRect);
}

TEST_F(ImageShapeTest, GroupBoxDrawsItsFrameAndCaptionOnItsColour) {
    auto& box = Add<TGroupBox>(10, 10, 100, 60);
    box.SetCaption(" About ");
    box.Font().SetColor(clWhite);
    ShowForm();
    EXPECT_EQ(box.Color(), clBlue) << "the parent's colour";
    const TRect caption = box.CaptionRect();
    EXPECT_EQ(caption.Left, 8);
    EXPECT_GT(caption.Width(), 10);
    const int h = caption.Height();
    const std::uint32_t shadow = ColorToDrawRGB(clBtnShadow);
    const std::uint32_t light = ColorToDrawRGB(clBtnHighlight);
    // The frame's left edge: shadow at x 0, highlight at x 1, from half the caption height down.
    EXPECT_EQ(Pixel(10, 10 + h / 2 + 5), shadow);
    EXPECT_EQ(Pixel(11, 10 + h / 2 + 5), light);
    EXPECT_EQ(Pixel(10 + 98, 10 + 30), shadow);
    EXPECT_EQ(Pixel(10 + 99, 10 + 30), light);
    EXPECT_EQ(Pixel(10 + 4, 10 + h / 2 - 1), shadow) << "top line left of the caption";
    // The caption interrupts the top line.
    EXPECT_NE(Pixel(10 + caption.Left + 1, 10 + h / 2 - 1), shadow);
    EXPECT_EQ(Pixel(50, 50), clBlue);
}

TEST_F(ImageShapeTest, GroupBoxAcceleratorFocusesItsFirstControl) {
    auto& box = Add<TGroupBox>(10, 10, 100, 60);
    box.SetCaption("&Language");
    auto& inner = Form->CreateComponent<TLogControl>(nullptr, "inner");
    inner.SetParent(&box);
    inner.SetBounds(10, 20, 20, 20);
    ShowForm();
    Key('L', 'l', ssAlt);
    EXPECT_TRUE(inner.Focused());
}

}  // namespace

namespace {

TEST_F(ImageShapeTest, ImageListCutsAStripAndDrawsMaskedImages) {
    TBitmap strip(9, 3, TPixelFormat::pf24bit);  // three 3 x 3 images: red, green, blue, white corners
    const std::uint32_t colours[] = {clRed, clLime, 0xFF0000};
    for (int i = 0; i < 3; ++i)
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) strip.SetPixel(3 * i + x, y, colours[i]);
    strip.SetPixel(0, 2, clWhite);
    auto& list = Form->CreateComponent<TImageList>();
    list.SetWidth(3);
    list.SetHeight(3);
    EXPECT_EQ(list.AddMasked(strip, clWhite), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetBitmap(1).GetPixel(1, 1), clLime);
    EXPECT_TRUE(list.GetBitmap(7).Empty());

    auto& target = Add<TFillGraphic>(0, 0, 30, 30);
    target.SetColor(clBlack);
    ShowForm();
    list.Draw(target.Canvas(), 10, 10, 0);
    list.Draw(target.Canvas(), 20, 10, 2, false);
    list.Draw(target.Canvas(), 0, 0, -1);   // out of range: nothing
    App.ProcessMessages();
    EXPECT_EQ(Pixel(10, 12), clBlack) << "masked pixel left out";
    EXPECT_EQ(Pixel(11, 11), clRed);
    EXPECT_EQ(Pixel(21, 11), ColorToDrawRGB(clBtnShadow)) << "disabled";
    EXPECT_EQ(Pixel(0, 0), clBlack);

    list.SetWidth(4);
    EXPECT_EQ(list.Count(), 0) << "a new size drops the images";
    list.Add(TBitmap(2, 2, TPixelFormat::pf24bit));
    EXPECT_EQ(list.Count(), 1) << "a narrower strip is one image";
}

TEST_F(ImageShapeTest, ImageListFromAFormDefinition) {
    ReadStandardForm(*Form, "object Form1: TForm\n  object ilTabs: TImageList\n    Width = 3\n    Height = 6\n"
                            "    ResourceName = 'SpinUp'\n  end\n  object ilRaw: TImageList\n    Width = 2\n    Height = 2\n"
                            "    Bitmap = {" + Hex(TBmpCodec::Write(TBitmap(4, 2, TPixelFormat::pf24bit))) + "}\n  end\nend\n");
    auto* tabs = dynamic_cast<TImageList*>(Form->FindComponent("ilTabs"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->Count(), 3);
    EXPECT_EQ(dynamic_cast<TImageList*>(Form->FindComponent("ilRaw"))->Count(), 2);
}

}  // namespace
