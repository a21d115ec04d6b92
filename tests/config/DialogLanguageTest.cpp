// The dialog's language switch: every caption the translation holds, every caption it
// lacks, and the three status texts, in Spanish and back in English.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/FrmConfig.h"
#include "DialogFixture.h"
#include "lang/LanguageManager.h"
#include "platform/DesktopWallpaper.h"
#include "platform/Kernel.h"
#include "platform/Registry.h"
#include "platform/memory/MemoryDisplay.h"
#include "support/ScopedEnvironment.h"
#include "support/TempConfigHome.h"
#include "support/TempFolder.h"
#include "support/XvfbServer.h"
#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "widgets/FlatButton.h"
#include "widgets/FlatRadioButton.h"

namespace {

struct TCaption {
    const char* Component;
    std::string English;
    std::string Spanish;  // empty: the translation has no line, the English text stays
};

// 8-bit captions in the dialog's code page (1252).
const std::vector<TCaption>& Captions()
{
    static const std::vector<TCaption> captions = {
        {"frmConfig", "Veltrane", "Veltrane"},
        {"tabImg", "Images", "Im\xE1genes"},
        {"btnSetWallpaper", "&Set the image as Wallpaper", "&Colocar imagen como papel tapiz"},
        {"tabConfig", "Configuration", "Configuraci\xF3n"},
        {"tabAbout", "About...", "Acerca de..."},
        {"btnCancel", "&Cancel", "&Cancelar"},
        {"btnAcept", "&Ok", "&Aceptar"},
        {"gbxAbout", " About ", "Acerca"},
        {"Label3D1", "Veltrane", "Veltrane"},
        {"Label1", "Version 1.0", "Versi\xF3n 1.0"},
        {"Label2", "Designed by:", "Elaborado por:"},
        {"Label3", "Photograph and Art:", "Fotograf\xED" "a y arte:"},
        {"Label4", "The Veltrane developers", ""},
        {"Label5", "Aitzol Berasategi and friends", ""},
        {"Label6", "Lomiri wallpaper authors", ""},
        {"lblWebLink", "www.veltrane.org", ""},
        {"gbxLang", " Language ", "Idioma"},
        {"gbxOp", " Display Options ", "Opciones de visualizaci\xF3n"},
        {"radEnlish", "English", "English"},
        {"radSpanish", "Espa\xF1ol", "Espa\xF1ol"},
        {"radOpOriginal", "View image in original size", "Ver en tama\xF1o original"},
        {"radOpScale", "Scale image proportionally", "Ver en tama\xF1o proporcional"},
        {"radOpFit", "Fit image to screen size", "Ajustar tama\xF1o a pantalla"},
        {"gbxTimeOption", " Time Options (in seconds) ", "Opci\xF3n de tiempo (en segundos)"},
        {"Label7", "Image display time", "Tiempo de espera de imagen"},
    };
    return captions;
}

class DialogLanguage : public TDialogFixture {
protected:
    void StoreLanguage(std::int32_t value) { Store("Language", value); }
    static std::string CaptionOf(TfrmConfig& form, const char* name)
    {
        if (form.Name() == name)
            return form.Caption();
        auto* control = dynamic_cast<TControl*>(form.FindComponent(name));
        return control ? control->Caption() : std::string("<no control " + std::string(name) + ">");
    }
    static void ExpectEnglish(TfrmConfig& form)
    {
        for (const TCaption& c : Captions())
            EXPECT_EQ(CaptionOf(form, c.Component), c.English) << c.Component;
    }
    static void ExpectSpanish(TfrmConfig& form)
    {
        for (const TCaption& c : Captions())
            EXPECT_EQ(CaptionOf(form, c.Component), c.Spanish.empty() ? c.English : c.Spanish) << c.Component;
    }
};

} // namespace

TEST_F(DialogLanguage, EveryCaptionSwitchesToSpanishAndBackToEnglish)
{
    TfrmConfig& form = Open();
    ExpectEnglish(form);
    form.radSpanish->Click();
    ExpectSpanish(form);
    form.radSpanish->Click();  // the language already current: nothing changes
    ExpectSpanish(form);
    form.radEnlish->Click();
    ExpectEnglish(form);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(DialogLanguage, AStoredSpanishOpensInSpanishAndEnglishPutsEveryCaptionBack)
{
    StoreLanguage(1);
    TfrmConfig& form = Open();
    ExpectSpanish(form);
    EXPECT_EQ(form.lblInfo->Caption(), "Clic en la imagen para seleccionar.");
    form.radEnlish->Click();
    ExpectEnglish(form);
    EXPECT_EQ(form.lblInfo->Caption(), "");
    EXPECT_EQ(LangConstText("cInfoSelect"), u"Click on one image to select it.");
    EXPECT_EQ(LangConstText("cInfoWait"), u"Wait until the wallpaper is placed.");
    EXPECT_EQ(LangConstText("cInfoEnded"), u"Ready.");
}

TEST_F(DialogLanguage, TheWallpaperStatusTextsFollowTheChosenLanguage)
{
    TXvfbServer server(320, 240);
    TScopedEnvironment display("DISPLAY", server.Name());
    TScopedEnvironment desktop("XDG_CURRENT_DESKTOP", std::nullopt);
    const std::string file = GetExecutableDirectory() + "Vtnimg02.bmp";
    std::filesystem::remove(file);
    TfrmConfig& form = Open();
    form.prSelectImage(form.img02);
    form.btnSetWallpaperClick(form.btnSetWallpaper);
    EXPECT_TRUE(std::filesystem::exists(file)) << "the poster is written beside the program";
    EXPECT_EQ(form.lblInfo->Caption(), "Ready.");
    form.radSpanish->Click();
    form.btnSetWallpaperClick(form.btnSetWallpaper);
    EXPECT_EQ(form.lblInfo->Caption(), "Listo.");

    // Without a display to apply it to, the waiting text stays, in Spanish.
    TScopedEnvironment noDisplay("DISPLAY", ":65000");
    EXPECT_THROW(form.btnSetWallpaperClick(form.btnSetWallpaper), EWallpaperError);
    EXPECT_EQ(form.lblInfo->Caption(), "Espere mientras se coloca el papel tapiz.");

    form.radEnlish->Click();
    EXPECT_THROW(form.btnSetWallpaperClick(form.btnSetWallpaper), EWallpaperError);
    EXPECT_EQ(form.lblInfo->Caption(), "Wait until the wallpaper is placed.");
    std::filesystem::remove(file);
}
