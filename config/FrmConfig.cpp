#include "config/FrmConfig.h"

#include "config/DialogButtonLook.h"
#include "config/Wallpaper.h"
#include "engine/MakerAddress.h"
#include "engine/QsvImgFree.h"
#include "gfx/BmpCodec.h"
#include "lang/LangText.h"
#include "lang/LanguageController.h"
#include "lang/LanguageManager.h"
#include "lang/ResourceModule.h"
#include "platform/Resources.h"
#include "platform/Shell.h"
#include "ui/Application.h"
#include "classes/ClassRegistry.h"
#include "ui/FrameworkClasses.h"
#include "classes/Published.h"
#include "ui/GroupBox.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/PageControl.h"
#include "ui/ScrollBox.h"
#include "ui/Shape.h"
#include "ui/StandardControls.h"
#include "ui/TabSheet.h"
#include "widgets/FlatButton.h"
#include "widgets/FlatRadioButton.h"
#include "widgets/GradPageControl.h"
#include "widgets/Label3D.h"
#include "widgets/SpinEdit.h"
#include "widgets/TransShape.h"

#include <exception>
#include <optional>

namespace {

// The language of the Spanish translation resource.
constexpr std::uint16_t SpanishLanguageId = 1034;

const TClassRegistry& DialogClasses()
{
    static const TClassRegistry registry = [] {
        TClassRegistry classes;
        RegisterFrameworkClasses(classes);
        RegisterStandardControls(classes);
        RegisterPageControlClasses(classes);
        RegisterFlatButtons(classes);
        RegisterGradPageControlClasses(classes);
        RegisterLabel3D(classes);
        RegisterTransShapeClasses(classes);
        RegisterSpinEditClasses(classes);
        classes.RegisterClass(TLanguageController::StaticClass());
        return classes;
    }();
    return registry;
}

} // namespace

const TClassInfo& TfrmConfig::StaticClass()
{
    using T = TfrmConfig;
    static const TClassInfo info = MakeClass<T, TForm>("TfrmConfig", {}, {
        PublishedMethod<T>("FormCreate", &T::FormCreate),
        PublishedMethod<T>("FormDestroy", &T::FormDestroy),
        PublishedMethod<T>("prSelectImage", &T::prSelectImage),
        PublishedMethod<T>("btnSetWallpaperClick", &T::btnSetWallpaperClick),
        PublishedMethod<T>("radEnlishClick", &T::radEnlishClick),
        PublishedMethod<T>("radSpanishClick", &T::radSpanishClick),
        PublishedMethod<T>("btnAceptClick", &T::btnAceptClick),
        PublishedMethod<T>("btnCancelClick", &T::btnCancelClick),
        PublishedMethod<T>("lblWebLinkClick", &T::lblWebLinkClick),
        PublishedMethod<T>("prButtonsPainting", &T::prButtonsPainting),
        PublishedMethod<T>("btnSetWallpaperPaint", &T::btnSetWallpaperPaint),
    }, {
        PublishedField<T>("imgTop", &T::imgTop),
        PublishedField<T>("pgcOp", &T::pgcOp),
        PublishedField<T>("tabImg", &T::tabImg),
        PublishedField<T>("lblInfo", &T::lblInfo),
        PublishedField<T>("sclImgs", &T::sclImgs),
        PublishedField<T>("img01", &T::img01),
        PublishedField<T>("img02", &T::img02),
        PublishedField<T>("img03", &T::img03),
        PublishedField<T>("img04", &T::img04),
        PublishedField<T>("img05", &T::img05),
        PublishedField<T>("img06", &T::img06),
        PublishedField<T>("img07", &T::img07),
        PublishedField<T>("img08", &T::img08),
        PublishedField<T>("img09", &T::img09),
        PublishedField<T>("img10", &T::img10),
        PublishedField<T>("shpSel", &T::shpSel),
        PublishedField<T>("btnSetWallpaper", &T::btnSetWallpaper),
        PublishedField<T>("tabConfig", &T::tabConfig),
        PublishedField<T>("gbxLang", &T::gbxLang),
        PublishedField<T>("Image2", &T::Image2),
        PublishedField<T>("Image3", &T::Image3),
        PublishedField<T>("radEnlish", &T::radEnlish),
        PublishedField<T>("radSpanish", &T::radSpanish),
        PublishedField<T>("gbxOp", &T::gbxOp),
        PublishedField<T>("radOpOriginal", &T::radOpOriginal),
        PublishedField<T>("radOpScale", &T::radOpScale),
        PublishedField<T>("radOpFit", &T::radOpFit),
        PublishedField<T>("gbxTimeOption", &T::gbxTimeOption),
        PublishedField<T>("txtImgWait", &T::txtImgWait),
        PublishedField<T>("Label7", &T::Label7),
        PublishedField<T>("tabAbout", &T::tabAbout),
        PublishedField<T>("gbxAbout", &T::gbxAbout),
        PublishedField<T>("Shape2", &T::Shape2),
        PublishedField<T>("Shape1", &T::Shape1),
        PublishedField<T>("Image1", &T::Image1),
        PublishedField<T>("Label3D1", &T::Label3D1),
        PublishedField<T>("Label1", &T::Label1),
        PublishedField<T>("Label2", &T::Label2),
        PublishedField<T>("Label3", &T::Label3),
        PublishedField<T>("Label4", &T::Label4),
        PublishedField<T>("Label5", &T::Label5),
        PublishedField<T>("Label6", &T::Label6),
        PublishedField<T>("lblWebLink", &T::lblWebLink),
        PublishedField<T>("btnCancel", &T::btnCancel),
        PublishedField<T>("btnAcept", &T::btnAcept),
        PublishedField<T>("lngConfig", &T::lngConfig),
    });
    return info;
}

TfrmConfig::TfrmConfig(TComponent* owner) : TForm(owner)
{
    ReadFormResource("TFRMCONFIG", DialogClasses());
    LoadPictures();
}

TfrmConfig::~TfrmConfig()
{
    BeforeDestruction();
    DestroyComponents();
}

std::string TfrmConfig::HomePage()
{
    return "https://" + std::string(MakerAddress);
}

T_QsvImgFree& TfrmConfig::RequireEngine()
{
    if (!Engine)
        Engine = std::make_unique<T_QsvImgFree>();
    return *Engine;
}

void TfrmConfig::SetInfo(std::string_view constantName)
{
    lblInfo->SetCaption(NarrowAnsi(LangConstText(constantName)));
}

void TfrmConfig::LoadPictures()
{
    // The form definition names its other pictures; the icon is an icon resource.
    Image1->Picture()->LoadFromBytes(LoadResource("ICON", "MAINICON"));
    // The same picture is the window's icon.
    if (const TBitmap* icon = Image1->Picture()->Bitmap())
        SetIcon(*icon);
}

void TfrmConfig::FormCreate(TObject*)
{
    // An error here is shown like any handler's error; the dialog still opens, with the
    // rest of this routine not done.
    try {
        Engine = std::make_unique<T_QsvImgFree>();
        LangManager().RegisterResourceTranslation(ProgramModule(), u"LNG_SPANISH", SpanishLanguageId);
        LangManager().SelectLanguageIndex(Engine->Language);
        SelectedImage = 0;
        SetInfo("cInfoSelect");
        LoadThumbnails();
        ShowSettings();
    } catch (...) {
        if (!Application())
            throw;
        Application()->HandleException(std::current_exception());
    }
}

void TfrmConfig::FormDestroy(TObject*)
{
    Engine.reset();
}

void TfrmConfig::LoadThumbnails()
{
    TImage* const images[] = {img01, img02, img03, img04, img05, img06, img07, img08, img09, img10};
    static constexpr std::string_view names[] = {"ch01", "ch02", "ch03", "ch04", "ch05",
                                                 "ch06", "ch07", "ch08", "ch09", "ch10"};
    for (std::size_t i = 0; i < std::size(images); ++i)
        LoadThumbnail(names[i], images[i]);
}

void TfrmConfig::LoadThumbnail(std::string_view name, TImage* image)
{
    std::optional<TResourceBytes> bytes = FindResource("BITMAP", name);
    if (!bytes)
        bytes = LoadResource("RCDATA", name);
    LoadThumbnailFrom(*bytes, image);
}

void TfrmConfig::LoadThumbnailFrom(std::span<const std::uint8_t> bitmapFile, TImage* image)
{
    // Decoded first, so that a broken file leaves the image as it was; an empty one is
    // broken too (a picture would take it as "no picture").
    const TBitmap thumbnail = TBmpCodec().Read(bitmapFile);
    image->Picture()->SetBitmap(thumbnail);
}

void TfrmConfig::ShowSettings()
{
    if (Engine->Language == 0)
        radEnlish->SetChecked(true);
    else if (Engine->Language == 1)
        radSpanish->SetChecked(true);
    switch (Engine->ViewType) {
    case 0:
        radOpOriginal->SetChecked(true);
        break;
    case 1:
        radOpScale->SetChecked(true);
        break;
    case 2:
        radOpFit->SetChecked(true);
        break;
    default:
        break;  // the design-time choice stays
    }
    txtImgWait->SetValue(Engine->ImageTime);
}

void TfrmConfig::prSelectImage(TObject* sender)
{
    auto* image = dynamic_cast<TControl*>(sender);
    shpSel->Show();
    btnSetWallpaper->SetEnabled(true);
    lblInfo->SetCaption("");
    if (!image)
        return;
    SelectedImage = static_cast<std::int32_t>(image->Tag());
    shpSel->SetLeft(image->Left());
}

void TfrmConfig::btnSetWallpaperClick(TObject*)
{
    SetInfo("cInfoWait");
    // Paint the waiting text now: the work below keeps the loop busy for a while.
    UpdateWindow();
    SetWallpaper(RequireEngine(), SelectedImage);
    SetInfo("cInfoEnded");
}

void TfrmConfig::radEnlishClick(TObject*)
{
    RequireEngine().Language = 0;
    LangManager().SelectLanguageIndex(0);
    lblInfo->SetCaption("");
}

void TfrmConfig::radSpanishClick(TObject*)
{
    RequireEngine().Language = 1;
    LangManager().SelectLanguageIndex(1);
    lblInfo->SetCaption("");
}

void TfrmConfig::btnAceptClick(TObject*)
{
    T_QsvImgFree& engine = RequireEngine();
    engine.Language = radSpanish->GetChecked() ? 1 : 0;
    if (radOpOriginal->GetChecked())
        engine.ViewType = 0;
    else if (radOpScale->GetChecked())
        engine.ViewType = 1;
    else if (radOpFit->GetChecked())
        engine.ViewType = 2;
    engine.ImageTime = txtImgWait->Value();
    engine.SaveSettings();
    Close();
}

void TfrmConfig::btnCancelClick(TObject*)
{
    Close();
}

void TfrmConfig::lblWebLinkClick(TObject*)
{
    OpenAddress(HomePage());
}

namespace {

void PaintLook(TObject* sender, bool& cont, TDialogButtonLook (*lookFor)(const TDialogButtonState&))
{
    auto* button = dynamic_cast<TFlatCustomButton*>(sender);
    if (!button)
        return;
    const TDialogButtonState state{button->Enabled(), button->MousePressed() || button->KeyPressed(),
                                   button->MouseInside()};
    std::uint32_t border = button->BorderColor();
    std::uint32_t fill = button->Color();
    std::uint32_t caption = button->Font().Color();
    cont = ApplyDialogButtonLook(lookFor(state), border, fill, caption);
    button->SetBorderColor(border);
    button->SetColor(fill);
    button->Font().SetColor(caption);
}

} // namespace

void TfrmConfig::prButtonsPainting(TObject* sender, bool& cont)
{
    PaintLook(sender, cont, DialogButtonLook);
}

void TfrmConfig::btnSetWallpaperPaint(TObject* sender, bool& cont)
{
    PaintLook(sender, cont, WallpaperButtonLook);
}
