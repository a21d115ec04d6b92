#include "WidgetGallery.h"

#include "PngWriter.h"

#include "widgets/FlatButton.h"
#include "widgets/GradPageControl.h"
#include "widgets/Label3D.h"
#include "widgets/SpinEdit.h"
#include "widgets/TransShape.h"

#include "ui/Application.h"
#include "classes/ClassRegistry.h"
#include "ui/CustomEdit.h"
#include "classes/Errors.h"
#include "ui/Form.h"
#include "classes/FormReader.h"
#include "ui/FrameworkClasses.h"
#include "ui/PageControl.h"
#include "ui/ScrollBox.h"
#include "ui/StandardControls.h"

#include "platform/memory/MemoryDisplay.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace {

constexpr int FormLeft = 10;
constexpr int FormTop = 10;

// The dialog's colours and fonts, as its form definition writes them.
const char* const Blue = "9981440";
const char* const WhiteBold = "Font.Color = clWhite\nFont.Height = -11\nFont.Name = 'Tahoma'\nFont.Style = [fsBold]\nParentFont = False\n";

std::string Object(const std::string& name, const std::string& kind, int left, int top, int width, int height,
                   const std::string& properties = "", const std::string& children = "") {
    std::string text = "object " + name + ": " + kind + "\nLeft = " + std::to_string(left) + "\nTop = " +
                       std::to_string(top) + "\n";
    if (width >= 0) text += "Width = " + std::to_string(width) + "\nHeight = " + std::to_string(height) + "\n";
    return text + properties + children + "end\n";
}

void DisableAll(TWidgetGallery::TContext& c) {
    for (int i = 0; i < c.Form.ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(c.Form.Components(i))) control->SetEnabled(false);
    c.Settle();
}

TWidgetGallery::TAction PressOn(const std::string& name, int x, int y) {
    return [name, x, y](TWidgetGallery::TContext& c) {
        c.MoveTo(name, x, y);
        c.Press();
    };
}

void ReleaseMouse(TWidgetGallery::TContext& c) { c.Release(); }

// Flat buttons have no look of their own: like the dialog, the gallery colours them by state,
// lighter under the pointer, darker while pressed, grey while disabled.
TColor Scale(TColor color, int percent) {
    const std::uint32_t rgb = ColorToDrawRGB(color);
    auto channel = [&](int shift) {
        const int v = static_cast<int>((rgb >> shift) & 0xFF) * percent / 100;
        return static_cast<std::uint32_t>(std::min(v, 255)) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

void GiveFlatButtonsALook(TWidgetGallery::TContext& c) {
    for (int i = 0; i < c.Form.ComponentCount(); ++i) {
        auto* button = dynamic_cast<TFlatCustomButton*>(c.Form.Components(i));
        if (!button) continue;
        const TColor base = button->Color();
        button->SetOnPaint([button, base](TObject*, bool&) {
            TColor color = base;
            if (!button->Enabled()) color = clGray;
            else if (button->MousePressed()) color = Scale(base, 60);
            else if (button->MouseInside()) color = Scale(base, 140);
            button->SetColor(color);
            button->Font().SetColor(button->Enabled() ? clWhite : clSilver);
        });
    }
}

TWidgetGallery::TAction HoverOn(const std::string& name, int x, int y) {
    return [name, x, y](TWidgetGallery::TContext& c) { c.MoveTo(name, x, y); };
}

TWidgetGallery::TAction FocusOn(const std::string& name) {
    return [name](TWidgetGallery::TContext& c) {
        dynamic_cast<TWinControl&>(c.Control(name)).SetFocus();
        c.Settle();
    };
}

}  // namespace

TControl& TWidgetGallery::TContext::Control(const std::string& name) const {
    auto* control = dynamic_cast<TControl*>(Form.FindComponent(name));
    if (!control) throw EComponentError("The gallery form has no control " + name);
    return *control;
}

void TWidgetGallery::TContext::MoveTo(const std::string& name, int x, int y) const {
    const TPoint p = Control(name).ClientToScreen(TPoint{x, y});
    Display.InjectMouseMove(p.X, p.Y);
    Settle();
}

void TWidgetGallery::TContext::Press() const {
    Display.InjectButton(mbLeft, true);
    Settle();
}

void TWidgetGallery::TContext::Release() const {
    Display.InjectButton(mbLeft, false);
    Settle();
}

void TWidgetGallery::TContext::Settle() const { App.ProcessMessages(); }

TWidgetGallery::TWidgetGallery() { AddScenes(); }

void TWidgetGallery::AddScenes() {
    const std::string blue = std::string("Color = ") + Blue + "\n";

    FScenes.push_back({"label", 260, 130,
        Object("lblPlain", "TLabel", 8, 8, -1, -1, WhiteBold + std::string("Caption = 'Designed by:'\n")) +
        Object("lblCentre", "TLabel", 8, 28, 239, 26,
               WhiteBold + std::string("AutoSize = False\nLayout = tlCenter\nAlignment = taCenter\nColor = 8404992\n"
                                       "Caption = 'A centred status message'\n")) +
        Object("lblWrap", "TLabel", 8, 60, 120, 40,
               "AutoSize = False\nWordWrap = True\nColor = clBtnFace\nCaption = 'Words wrap at blanks inside the label'\n") +
        Object("lblAccel", "TLabel", 140, 60, -1, -1, WhiteBold + std::string("Caption = '&Accelerator && more'\n")) +
        Object("lblLink", "TLabel", 140, 80, -1, -1,
               "Font.Color = 13434879\nFont.Height = -11\nFont.Name = 'Tahoma'\nFont.Style = [fsBold, fsUnderline]\n"
               "ParentFont = False\nTransparent = True\nCursor = crHandPoint\nCaption = 'www.veltrane.org'\n") +
        Object("lblEmpty", "TLabel", 140, 100, -1, -1, "Caption = '&'\nColor = clRed\n"),
        {{"normal", nullptr, nullptr}, {"disabled", DisableAll, nullptr}}});

    FScenes.push_back({"image", 380, 170,
        Object("img01", "TImage", 5, 7, 105, 85, "Tag = 1\nPicture.ResourceName = 'CH01'\n") +
        Object("imgPoster", "TImage", 115, 7, 150, 100,
               "Stretch = True\nProportional = True\nCenter = True\nPicture.ResourceName = 'IMG01'\n") +
        Object("imgGlyph", "TImage", 270, 7, 40, 30, "Center = True\nTransparent = True\nPicture.ResourceName = 'SpinUp'\n") +
        Object("imgIcon", "TImage", 270, 50, 41, 36, "Center = True\nPicture.ResourceName = 'FLAG_EN'\n") +
        Object("imgStretched", "TImage", 5, 110, 300, 50, "Stretch = True\nPicture.ResourceName = 'CH02'\n"),
        {{"normal", nullptr, nullptr}}});

    FScenes.push_back({"shape", 300, 110,
        Object("Shape2", "TShape", 11, 8, 270, 30, "Brush.Color = 8404992\nPen.Style = psClear\n") +
        Object("shpRect", "TShape", 11, 45, 60, 50, "Pen.Width = 3\nBrush.Color = clYellow\n") +
        Object("shpRound", "TShape", 80, 45, 60, 50, "Shape = stRoundRect\nBrush.Color = clLime\n") +
        Object("shpEllipse", "TShape", 150, 45, 60, 50, "Shape = stEllipse\nBrush.Color = clAqua\nPen.Color = clRed\n") +
        Object("shpCircle", "TShape", 220, 45, 60, 50, "Shape = stCircle\nBrush.Style = bsDiagCross\n"),
        {{"normal", nullptr, nullptr}}});

    FScenes.push_back({"groupbox", 300, 170,
        Object("gbxAbout", "TGroupBox", 3, 3, 200, 100, "Caption = ' About '\n" + std::string(WhiteBold),
               Object("Label2", "TLabel", 10, 30, -1, -1, "Caption = 'Designed by:'\n") +
               Object("Label4", "TLabel", 10, 50, -1, -1,
                      "Font.Color = clYellow\nFont.Height = -11\nFont.Name = 'Tahoma'\nFont.Style = [fsBold]\n"
                      "ParentFont = False\nCaption = 'The Veltrane developers'\n")) +
        Object("gbxEmpty", "TGroupBox", 3, 110, 120, 50, "Caption = ''\n") +
        Object("gbxAccel", "TGroupBox", 130, 110, 160, 50, "Caption = ' &Language '\n" + std::string(WhiteBold)),
        {{"normal", nullptr, nullptr}, {"disabled", DisableAll, nullptr}}});

    std::string thumbs;
    for (int n = 1; n <= 10; ++n) {
        char name[8], resource[8];
        std::snprintf(name, sizeof name, "img%02d", n);
        std::snprintf(resource, sizeof resource, "CH%02d", n);
        thumbs += Object(name, "TImage", 5 + 111 * (n - 1), n <= 7 ? 7 : 5, 105, 85,
                         "Tag = " + std::to_string(n) + "\nPicture.ResourceName = '" + resource + "'\n");
    }
    auto scrollTo = [](TContext& c) {
        dynamic_cast<TScrollBox&>(c.Control("sclImgs")).SetPosition(300);
        c.Settle();
    };
    FScenes.push_back({"scrollbox", 442, 125, Object("sclImgs", "TScrollBox", 3, 0, 436, 121, "TabOrder = 0\n", thumbs),
        {{"start", nullptr, nullptr},
         {"scrolled", scrollTo, nullptr},
         {"arrow-pressed", PressOn("sclImgs", 425, 110), ReleaseMouse},
         {"thumb-dragged", [](TContext& c) {
              c.MoveTo("sclImgs", 60, 110);
              c.Press();
              c.MoveTo("sclImgs", 260, 110);
          }, ReleaseMouse}}});

    FScenes.push_back({"edit", 220, 130,
        Object("txtPlain", "TEdit", 8, 8, 200, 21, "Text = 'Some text'\nTabOrder = 0\n") +
        Object("txtSelect", "TEdit", 8, 36, 200, 21, "Text = 'Selected words here'\nTabOrder = 1\nAutoSelect = False\n") +
        Object("txtReadOnly", "TEdit", 8, 64, 200, 21, "Text = 'Read only'\nReadOnly = True\nColor = clBtnFace\n") +
        Object("txtDisabled", "TEdit", 8, 92, 200, 21, "Text = 'Disabled'\nEnabled = False\n"),
        {{"unfocused", nullptr, nullptr},
         {"focused", [](TContext& c) {
              auto& edit = dynamic_cast<TCustomEdit&>(c.Control("txtSelect"));
              edit.SetFocus();
              edit.Select(0, 8);
              c.Settle();
          }, nullptr}}});

    FScenes.push_back({"speedbutton", 200, 50,
        Object("sbCaption", "TSpeedButton", 8, 8, 50, 25, "Caption = '&Go'\n") +
        Object("sbGlyph", "TSpeedButton", 66, 8, 25, 25, "Glyph.ResourceName = 'SpinUp'\n") +
        Object("sbBoth", "TSpeedButton", 99, 8, 60, 25, "Glyph.ResourceName = 'SpinDown'\nCaption = 'Down'\n") +
        Object("sbDisabled", "TSpeedButton", 167, 8, 25, 25, "Glyph.ResourceName = 'SpinUp'\nEnabled = False\n"),
        {{"up", nullptr, nullptr},
         {"down", PressOn("sbCaption", 20, 10), ReleaseMouse},
         {"glyph-down", PressOn("sbGlyph", 10, 10), ReleaseMouse}}});

    FScenes.push_back({"spinedit", 280, 60,
        Object("gbxTimeOption", "TGroupBox", 5, 3, 264, 48, "Caption = ' Time Options (in seconds) '\n" + std::string(WhiteBold),
               Object("txtImgWait", "TSpinEdit", 19, 20, 46, 22,
                      "Font.Color = 9981440\nFont.Height = -11\nFont.Name = 'Tahoma'\nFont.Style = [fsBold]\n"
                      "ParentFont = False\nMaxLength = 3\nMaxValue = 999\nMinValue = 10\nTabOrder = 0\nTabStop = False\n"
                      "Value = 10\n") +
               Object("Label7", "TLabel", 71, 24, 109, 13, "Caption = 'Image display time'\n")),
        {{"normal", nullptr, nullptr},
         {"focused", FocusOn("txtImgWait"), nullptr},
         {"up-pressed", PressOn("txtImgWait", 35, 5), ReleaseMouse},
         {"down-pressed", PressOn("txtImgWait", 35, 15), ReleaseMouse}}});

    FScenes.push_back({"flatbutton", 300, 70,
        Object("btnAcept", "TFlatButton", 8, 8, 75, 25, "Caption = '&Ok'\nColor = 13987840\nTabOrder = 0\n") +
        Object("btnCancel", "TFlatButton", 90, 8, 75, 25, "Caption = '&Cancel'\nColor = 7946240\nTabOrder = 1\n") +
        Object("btnSetWallpaper", "TFlatButton", 8, 38, 191, 25,
               "Caption = '&Set the image as Wallpaper'\nEnabled = False\nTabOrder = 2\n"),
        {{"normal", nullptr, nullptr},
         {"hot", HoverOn("btnAcept", 30, 12), nullptr},
         {"down", PressOn("btnAcept", 30, 12), ReleaseMouse},
         {"focused", FocusOn("btnCancel"), nullptr}},
        GiveFlatButtonsALook});

    FScenes.push_back({"flatradiobutton", 200, 60,
        Object("radEnlish", "TFlatRadioButton", 8, 8, 58, 17,
               WhiteBold + std::string("MarkColor = 9981440\nChecked = True\nAutoSize = True\nCaption = 'English'\nTabOrder = 0\n")) +
        Object("radSpanish", "TFlatRadioButton", 8, 32, 62, 17,
               WhiteBold + std::string("MarkColor = 9981440\nAutoSize = True\nCaption = 'Espa'#241'ol'\nTabOrder = 1\n")),
        {{"normal", nullptr, nullptr}, {"hot", HoverOn("radSpanish", 5, 8), nullptr}}});

    FScenes.push_back({"label3d", 200, 50,
        Object("Label3D1", "TLabel3D", 30, 12, 133, 22,
               "Alignment = taCenter\nCaption = 'Veltrane'\nFont.Color = 4103935\nFont.Height = -19\nFont.Name = 'Arial'\n"
               "Font.Style = [fsBold]\nParentFont = False\nTransparent = True\nTextStyle = tsRaised\nShift = 1\n"),
        {{"normal", nullptr, nullptr}}});

    FScenes.push_back({"transshape", 130, 100,
        Object("img01", "TImage", 5, 7, 105, 85, "Picture.ResourceName = 'CH01'\n") +
        Object("shpSel", "TTransShape", 5, 7, 105, 85, "Pen.Width = 7\nShape = stRectangle\n"),
        {{"normal", nullptr, nullptr}}});

    const std::string tabLooks =
        "TabsPosition = fsdBottom\nTabStop = False\nTabStyle.BackgrColor = 7228928\nTabStyle.Font.Color = clBtnHighlight\n"
        "TabStyle.Font.Height = -11\nTabStyle.Font.Name = 'Arial'\nTabStyle.CaptionHAlign = fhaCenter\n"
        "TabStyle.Gradient.FromColor = clGray\nTabStyle.Gradient.ToColor = clBlack\nTabStyle.Gradient.Active = True\n"
        "TabStyle.Gradient.Orientation = fgdHorizontal\nTabSelectedStyle.Font.Color = clWhite\n"
        "TabSelectedStyle.Font.Height = -11\nTabSelectedStyle.Font.Name = 'Arial'\nTabSelectedStyle.Font.Style = [fsBold]\n"
        "TabSelectedStyle.TextStyle = fstShadow\nTabSelectedStyle.CaptionHAlign = fhaCenter\n"
        "TabSelectedStyle.Gradient.FromColor = 9981440\nTabSelectedStyle.Gradient.ToColor = clWhite\n"
        "TabSelectedStyle.Gradient.Active = True\nTabSelectedStyle.Gradient.Orientation = fgdHorizontal\n"
        "Options = [ftoAutoFontDirection, ftoExcludeGlyphs]\n";
    const std::string pages =
        "object tabImg: TTabSheet\nCaption = 'Images'\n" +
        Object("lblInfo", "TLabel", 3, 127, 239, 26, WhiteBold + std::string("AutoSize = False\nLayout = tlCenter\nCaption = 'Select an image'\n")) +
        "end\nobject tabConfig: TTabSheet\nCaption = 'Configuration'\n" +
        Object("gbxLang", "TGroupBox", 3, 3, 166, 142, "Caption = ' Language '\n" + std::string(WhiteBold)) +
        "end\nobject tabAbout: TTabSheet\nCaption = 'About...'\nend\n";
    FScenes.push_back({"gradpagecontrol", 450, 185,
        Object("pgcOp", "TGradPageControl", 0, 0, 450, 185, tabLooks, pages),
        {{"images", nullptr, nullptr},
         {"configuration", [](TContext& c) {
              dynamic_cast<TPageControl&>(c.Control("pgcOp")).SetActivePageIndex(1);
              c.Settle();
          }, nullptr}}});

    for (TScene& scene : FScenes) scene.Definition = "object Form1: TForm\nColor = " + std::string(Blue) + "\n" +
                                                     scene.Definition + "end\n";
    (void)blue;
}

std::vector<std::string> TWidgetGallery::Run(const std::string& folder) const {
    TMemoryDisplay display(1024, 768);
    TApplication app(display);
    TClassRegistry classes;
    RegisterFrameworkClasses(classes);
    RegisterStandardControls(classes);
    RegisterPageControlClasses(classes);
    RegisterSpinEditClasses(classes);
    RegisterFlatButtons(classes);
    RegisterLabel3D(classes);
    RegisterTransShapeClasses(classes);
    RegisterGradPageControlClasses(classes);

    std::vector<std::string> files;
    std::string index = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Veltrane widget gallery</title></head>"
                        "<body style=\"background:#ddd;font-family:sans-serif\">\n<h1>Veltrane widget gallery</h1>\n";
    for (const TScene& scene : FScenes) {
        index += "<h2>" + scene.Name + "</h2>\n<p>\n";
        for (const TState& state : scene.States) {
            TForm& form = app.CreateForm<TForm>();
            form.SetBounds(FormLeft, FormTop, scene.Width, scene.Height);
            TFormReader(classes, "gallery " + scene.Name).Read(form, scene.Definition);
            form.SetBounds(FormLeft, FormTop, scene.Width, scene.Height);
            TContext context{app, display, form};
            if (scene.Prepare) scene.Prepare(context);
            form.Show();
            app.ProcessMessages();
            if (state.Apply) state.Apply(context);
            app.ProcessMessages();
            form.UpdateWindow();
            const TBitmap picture = form.BackBuffer();
            if (state.Undo) state.Undo(context);
            app.ReleaseForm(form);
            app.ProcessMessages();

            const std::string file = scene.Name + "-" + state.Name + ".png";
            WritePngFile(picture, folder + "/" + file);
            files.push_back(folder + "/" + file);
            index += "<figure style=\"display:inline-block;margin:8px\"><img src=\"" + file + "\"><figcaption>" +
                     state.Name + "</figcaption></figure>\n";
        }
        index += "</p>\n";
    }
    index += "</body></html>\n";
    const std::string indexPath = folder + "/index.html";
    std::ofstream out(indexPath, std::ios::trunc);
    out << index;
    if (!out) throw std::runtime_error("Cannot create file \"" + indexPath + "\".");
    files.push_back(indexPath);
    return files;
}
