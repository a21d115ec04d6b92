#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <climits>
#include <iterator>

#include "gfx/BmpCodec.h"
#include "platform/Resources.h"

#include "config/FrmConfig.h"
#include "DialogFixture.h"
#include "engine/QsvImgFree.h"
#include "lang/LanguageManager.h"
#include "platform/Kernel.h"
#include "platform/Registry.h"
#include "platform/memory/MemoryDisplay.h"
#include "support/ScopedEnvironment.h"
#include "support/TempConfigHome.h"
#include "support/TempFolder.h"
#include "support/WaitUntil.h"
#include "support/XvfbServer.h"
#include "ui/Application.h"
#include "platform/DesktopWallpaper.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/PageControl.h"
#include "ui/ScrollBox.h"
#include "widgets/GradPageControl.h"
#include "ui/TabSheet.h"
#include "widgets/FlatButton.h"
#include "widgets/FlatRadioButton.h"
#include "widgets/SpinEdit.h"
#include "widgets/TransShape.h"

namespace {

// The dialog fixture as it is; the tests below name it after the dialog.
class FrmConfigTest : public TDialogFixture {};

} // namespace

TEST_F(FrmConfigTest, AFirstStartShowsEnglishFitToScreenAndTenSeconds)
{
    TfrmConfig& form = Open();
    EXPECT_TRUE(Errors.empty());
    EXPECT_TRUE(form.radEnlish->GetChecked());
    EXPECT_FALSE(form.radSpanish->GetChecked());
    EXPECT_TRUE(form.radOpFit->GetChecked());
    EXPECT_FALSE(form.radOpScale->GetChecked());
    EXPECT_EQ(form.txtImgWait->Value(), 10);
    EXPECT_EQ(form.SelectedImage, 0);
    EXPECT_EQ(form.lblInfo->Caption(), "Click on one image to select it.");
    EXPECT_FALSE(form.btnSetWallpaper->Enabled());
    EXPECT_FALSE(form.shpSel->Visible());
    EXPECT_EQ(form.btnAcept->Caption(), "&Ok");
}

TEST_F(FrmConfigTest, StoredSettingsAreShown)
{
    Store("Language", 1);
    Store("View Type", 0);
    Store("Image time view", 25);
    TfrmConfig& form = Open();
    EXPECT_TRUE(form.radSpanish->GetChecked());
    EXPECT_FALSE(form.radEnlish->GetChecked());
    EXPECT_TRUE(form.radOpOriginal->GetChecked());
    EXPECT_EQ(form.txtImgWait->Value(), 25);
}

TEST_F(FrmConfigTest, OkStoresWhatTheControlsShowAndEnds)
{
    TfrmConfig& form = Open();
    form.radSpanish->Click();
    form.radOpOriginal->Click();
    form.txtImgWait->SetValue(120);
    form.btnAceptClick(form.btnAcept);
    EXPECT_EQ(Stored("Language"), 1);
    EXPECT_EQ(Stored("View Type"), 0);
    EXPECT_EQ(Stored("Image time view"), 120);
    EXPECT_TRUE(FApplication->Terminated());
}

TEST_F(FrmConfigTest, AThumbnailClickSelectsItAndMovesTheFrame)
{
    TfrmConfig& form = Open();
    const int frameTop = form.shpSel->Top();
    TImage* const thumbnails[] = {form.img01, form.img02, form.img03, form.img04, form.img05,
                                  form.img06, form.img07, form.img08, form.img09, form.img10};
    for (int n = 10; n >= 1; --n) {
        // A click on the thumbnail, as the form definition binds it.
        thumbnails[n - 1]->Click();
        EXPECT_EQ(form.SelectedImage, n);
        EXPECT_EQ(form.shpSel->Left(), thumbnails[n - 1]->Left()) << "the frame moves to the thumbnail's column";
        EXPECT_EQ(form.shpSel->Top(), frameTop) << "and keeps its height";
    }
    EXPECT_TRUE(form.shpSel->Visible());
    EXPECT_TRUE(form.btnSetWallpaper->Enabled());
    EXPECT_EQ(form.lblInfo->Caption(), "");
}

// Nothing of the dialog is cut off: every control lies inside the area its parent shows
// its children in (the thumbnails, which scroll, inside the scroll box's height).
TEST_F(FrmConfigTest, EveryControlLiesInsideItsParent)
{
    TfrmConfig& form = Open();
    const std::function<void(const TWinControl&)> check = [&](const TWinControl& parent) {
        const TPoint o = parent.FormOrigin();
        const TRect clip = parent.ChildClipRect();
        const TRect area{o.X + clip.Left, o.Y + clip.Top, o.X + clip.Right, o.Y + clip.Bottom};
        for (int i = 0; i < parent.ControlCount(); ++i) {
            const TControl& control = *parent.Controls(i);
            const TPoint at = control.FormOrigin();
            const TRect r{at.X, at.Y, at.X + control.Width(), at.Y + control.Height()};
            const bool across = &parent == form.sclImgs || (r.Left >= area.Left && r.Right <= area.Right);
            EXPECT_TRUE(across && r.Top >= area.Top && r.Bottom <= area.Bottom)
                << control.Name() << " (" << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ") in "
                << parent.Name() << " (" << area.Left << ", " << area.Top << ")-(" << area.Right << ", " << area.Bottom << ")";
            if (const auto* child = dynamic_cast<const TWinControl*>(&control))
                check(*child);
        }
    };
    check(form);
}

TEST_F(FrmConfigTest, ThePicturesAndThumbnailsAreLoaded)
{
    TfrmConfig& form = Open();
    EXPECT_EQ(form.imgTop->Picture()->Width(), 450);
    EXPECT_EQ(form.imgTop->Picture()->Height(), 153);
    for (TImage* icon : {form.Image1, form.Image2, form.Image3}) {
        EXPECT_EQ(icon->Picture()->Width(), 32);
        EXPECT_EQ(icon->Picture()->Height(), 32);
    }
    for (TImage* thumbnail : {form.img01, form.img02, form.img03, form.img04, form.img05, form.img06, form.img07,
                              form.img08, form.img09, form.img10}) {
        EXPECT_EQ(thumbnail->Picture()->Width(), 105);
        EXPECT_EQ(thumbnail->Picture()->Height(), 85);
    }
    EXPECT_EQ(form.pgcOp->ActivePage(), form.tabImg);
}

TEST_F(FrmConfigTest, AfterAFailedStartTheThumbnailsStayEmpty)
{
    Store("Language", -1);
    TfrmConfig& form = Open();
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_TRUE(form.img01->Picture()->Empty());
    EXPECT_TRUE(form.img10->Picture()->Empty());
    EXPECT_FALSE(form.imgTop->Picture()->Empty()) << "the banner belongs to the form";
}

TEST_F(FrmConfigTest, AnEngineThatCannotStartIsReportedAndAgainWhenItIsNeeded)
{
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SettingsKey, true));
        registry.WriteString("Image time view", "ten");
    }
    TfrmConfig& form = Open();
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_EQ(form.Engine, nullptr);
    EXPECT_TRUE(form.radOpScale->GetChecked());
    // Ok cannot save without the settings: it reports the same error instead of failing
    // silently, and the dialog stays open.
    EXPECT_THROW(form.btnAceptClick(form.btnAcept), ERegistryException);
    EXPECT_FALSE(FApplication->Terminated());
    // Cancel still ends.
    form.btnCancelClick(form.btnCancel);
    EXPECT_TRUE(FApplication->Terminated());
}

TEST_F(FrmConfigTest, TheWebLinkGoesToTheDesktopsOpener)
{
    // A stand-in xdg-open early in PATH writes down what it was asked to open.
    TTempFolder tools;
    const std::string log = tools.File("opened.txt");
    {
        std::ofstream script(tools.File("xdg-open"));
        script << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << log << ".part' && mv '" << log << ".part' '" << log << "'\n";
    }
    ASSERT_EQ(::chmod(tools.File("xdg-open").c_str(), 0755), 0);
    const char* path = std::getenv("PATH");
    TScopedEnvironment env("PATH", tools.Path() + ":" + (path ? path : "/usr/bin:/bin"));
    TfrmConfig& form = Open();
    form.lblWebLinkClick(form.lblWebLink);
    EXPECT_TRUE(WaitUntil([&] { return std::filesystem::exists(log); }, std::chrono::seconds(5)));
    std::ifstream in(log);
    std::string opened;
    std::getline(in, opened);
    EXPECT_EQ(opened, "https://www.veltrane.org");
}

TEST_F(FrmConfigTest, AMissingOrBrokenThumbnailIsReportedAndTheDialogStaysUsable)
{
    TfrmConfig& form = Open();
    try {
        form.LoadThumbnail("ch99", form.img02);
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Resource ch99 not found");
    }
    EXPECT_EQ(form.img02->Picture()->Width(), 105) << "the thumbnail shown stays";

    const TResourceBytes good = LoadResource("BITMAP", "ch04");
    const std::vector<std::uint8_t> cut(good.begin(), good.begin() + 100);
    const std::vector<std::uint8_t> notABitmap{'B', 'M', 1, 2, 3, 4};
    for (const std::vector<std::uint8_t>& broken : {cut, notABitmap, std::vector<std::uint8_t>{}}) {
        EXPECT_THROW(TfrmConfig::LoadThumbnailFrom(broken, form.img03), EInvalidGraphic) << broken.size() << " bytes";
        EXPECT_EQ(form.img03->Picture()->Width(), 105);
    }
    TfrmConfig::LoadThumbnailFrom(good, form.img05);
    EXPECT_EQ(form.img05->Picture()->Height(), 85);

    form.prSelectImage(form.img03);
    EXPECT_EQ(form.SelectedImage, 3);
    form.radOpOriginal->Click();
    form.btnAceptClick(form.btnAcept);
    EXPECT_EQ(Stored("View Type"), 0);
}

TEST_F(FrmConfigTest, ASettingsStoreThatCannotBeWrittenKeepsTheDialogOpenAndTheOldFile)
{
    Store("Language", 0);
    Store("View Type", 2);
    Store("Image time view", 30);
    const std::string store = TRegistry::StorePath();
    const auto readStore = [&] {
        std::ifstream in(store, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    const std::string before = readStore();
    // Something in the way of the store's lock file: saving fails whoever runs the test.
    std::filesystem::remove(store + ".lock");
    std::filesystem::create_directory(store + ".lock");
    TfrmConfig& form = Open();
    form.radOpOriginal->Click();
    form.txtImgWait->SetValue(45);
    try {
        form.btnAceptClick(form.btnAcept);
        FAIL() << "the failed save passed unnoticed";
    } catch (const ERegistryException& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot save the registry file \"" + store + "\""), std::string::npos) << e.what();
    }
    EXPECT_FALSE(FApplication->Terminated()) << "the dialog stays open";
    EXPECT_EQ(readStore(), before) << "the stored settings are untouched";
    EXPECT_TRUE(form.radOpOriginal->GetChecked()) << "and the choices are still there";
    EXPECT_EQ(form.txtImgWait->Value(), 45);

    // Once the store can be written again, Ok saves what was chosen.
    std::filesystem::remove(store + ".lock");
    form.btnAceptClick(form.btnAcept);
    EXPECT_TRUE(FApplication->Terminated());
    EXPECT_EQ(Stored("View Type"), 0);
    EXPECT_EQ(Stored("Image time view"), 45);
}

TEST_F(FrmConfigTest, TextInTheTimeFieldThatIsNoNumberIsSavedAsTheMinimum)
{
    for (const char* text : {"abc", "7x", "", "-"}) {
        TfrmConfig& form = Open();
        form.txtImgWait->SetText(text);
        form.btnAceptClick(form.btnAcept);
        EXPECT_EQ(Stored("Image time view"), 10) << '"' << text << '"';
        FApplication.reset();
        Store("Image time view", 30);
    }
}

TEST_F(FrmConfigTest, StoredSettingsFarOutOfRangeAreBroughtBack)
{
    struct TCase {
        std::int32_t ImageTime, ViewType, Shown;
    };
    for (const TCase c : {TCase{0, 7, 10}, TCase{-5, 3, 10}, TCase{100000, -3, 999}, TCase{INT32_MIN, INT32_MAX, 10}}) {
        Store("Image time view", c.ImageTime);
        Store("View Type", c.ViewType);
        TfrmConfig& form = Open();
        EXPECT_TRUE(Errors.empty());
        EXPECT_EQ(form.txtImgWait->Value(), c.Shown) << c.ImageTime;
        EXPECT_TRUE(form.radOpScale->GetChecked()) << "View Type " << c.ViewType << " keeps the design choice";
        form.btnAceptClick(form.btnAcept);
        EXPECT_EQ(Stored("Image time view"), c.Shown);
        EXPECT_EQ(Stored("View Type"), 1);
        FApplication.reset();
    }
}

TEST_F(FrmConfigTest, DisabledOkAndCancelShowTheDisabledColours)
{
    TfrmConfig& form = Open();
    form.Show();
    FApplication->ProcessMessages();
    const auto pixel = [&](const TControl& control, int x, int y) {
        const TPoint o = control.FormOrigin();
        return FDisplay.WindowPixel(form.Handle(), o.X + x, o.Y + y) & 0xFFFFFF;
    };
    EXPECT_EQ(pixel(*form.btnAcept, 4, 4), 0x794000u);
    for (TFlatButton* button : {form.btnAcept, form.btnCancel}) {
        button->SetEnabled(false);
        FApplication->ProcessMessages();
        EXPECT_EQ(pixel(*button, 4, 4), 0xE1E9EAu) << button->Name() << ": fill";
        EXPECT_EQ(pixel(*button, button->Width() / 2, 0), 0xBAC7C9u) << button->Name() << ": border";
        EXPECT_EQ(button->Font().Color(), 0x808080u);
        button->SetEnabled(true);
        FApplication->ProcessMessages();
        EXPECT_EQ(pixel(*button, 4, 4), 0x794000u) << button->Name() << ": normal again";
    }
}

TEST_F(FrmConfigTest, TheThumbnailRowStandsInsideTheScrollBoxFrameAndScrollsItsWholeWidth)
{
    TfrmConfig& form = Open();
    const TPoint box = form.sclImgs->FormOrigin();
    EXPECT_EQ(form.img01->FormOrigin(), (TPoint{box.X + 7, box.Y + 9})) << "5, 7 inside the two-pixel frame";
    EXPECT_EQ(form.img08->FormOrigin().Y, box.Y + 7);
    EXPECT_EQ(form.sclImgs->Range(), 1109);
    form.prSelectImage(form.img10);
    form.sclImgs->SetPosition(form.sclImgs->Range());
    EXPECT_EQ(form.img10->Left() + form.img10->Width(), form.sclImgs->ClientWidth()) << "the last one ends at the edge";
    EXPECT_EQ(form.shpSel->FormOrigin().X, form.img10->FormOrigin().X) << "the frame scrolls with the thumbnails";
    EXPECT_EQ(form.shpSel->FormOrigin().Y, box.Y + 9);
}

TEST_F(FrmConfigTest, TheShippedDialogsUnselectedTabsDrawNoBorderLines)
{
    // The dialog as the program creates it, from the form definition it ships with.
    TfrmConfig& form = Open();
    form.Show();
    FApplication->ProcessMessages();
    ASSERT_EQ(form.pgcOp->ActivePage(), form.tabImg);
    const TPoint o = form.pgcOp->FormOrigin();
    const auto pixel = [&](int x, int y) { return FDisplay.WindowPixel(form.Handle(), o.X + x, o.Y + y) & 0xFFFFFF; };
    for (int index : {1, 2}) {
        // Without border lines the gradient starts two rows above the tab's item: its first
        // band (clGray) there, no frame line, and the next, darker band below it. The first
        // columns are left out: a selected neighbour is drawn over them.
        const TRect tab = form.pgcOp->TabRect(index);
        const std::uint32_t second = pixel((tab.Left + tab.Right) / 2, tab.Top - 1);
        EXPECT_LT(second & 0xFF, 0x80u) << "tab " << index;
        for (int x = tab.Left + 3; x < tab.Right - 2; ++x) {
            EXPECT_EQ(pixel(x, tab.Top - 2), 0x808080u) << "tab " << index << ", x " << x;
            EXPECT_EQ(pixel(x, tab.Top - 1), second) << "tab " << index << ", x " << x;
        }
    }
}
