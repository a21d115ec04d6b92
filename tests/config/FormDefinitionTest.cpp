#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/Resources.h"
#include "classes/FormParser.h"
#include "support/TestTree.h"

// The stored definition of the configuration dialog, read back as the form reader sees it.

namespace {

struct TPlaced {
    const TFormObject* Object = nullptr;
    const TFormObject* Parent = nullptr;
};

class FormDefinition : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const TResourceBytes bytes = LoadResource("RCDATA", "TFRMCONFIG");
        Root = new TFormObject(TFormParser(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                                           "TFRMCONFIG").Parse());
        Collect(*Root, nullptr);
    }
    static void TearDownTestSuite()
    {
        Components.clear();
        delete Root;
        Root = nullptr;
    }

    static void Collect(const TFormObject& object, const TFormObject* parent)
    {
        Components[object.Name] = {&object, parent};
        Order.push_back(object.Name);
        for (const TFormObject& child : object.Children)
            Collect(child, &object);
    }

    static const TFormObject& Get(const std::string& name)
    {
        auto it = Components.find(name);
        if (it == Components.end())
            throw std::runtime_error("no component " + name);
        return *it->second.Object;
    }
    static std::string ParentOf(const std::string& name)
    {
        const TFormObject* parent = Components.at(name).Parent;
        return parent ? parent->Name : "";
    }
    static const TFormValue* Value(const std::string& name, const std::string& property)
    {
        const TFormValue* found = nullptr;
        for (const TFormProperty& p : Get(name).Properties)
            if (p.Name == property)
                found = &p.Value;
        return found;
    }
    static std::int64_t Int(const std::string& name, const std::string& property)
    {
        const TFormValue* v = Value(name, property);
        EXPECT_NE(v, nullptr) << name << "." << property;
        return v && v->Kind == fvInteger ? v->Integer : -999999;
    }
    static std::string Ident(const std::string& name, const std::string& property)
    {
        const TFormValue* v = Value(name, property);
        return v && v->Kind == fvIdent ? v->Ident : "<none>";
    }
    static std::u16string Text(const std::string& name, const std::string& property)
    {
        const TFormValue* v = Value(name, property);
        return v && v->Kind == fvString ? v->String : u"<none>";
    }
    static std::vector<std::string> Set(const std::string& name, const std::string& property)
    {
        const TFormValue* v = Value(name, property);
        return v && v->Kind == fvSet ? v->SetNames : std::vector<std::string>{"<none>"};
    }
    // A font written out in full: name, height, colour (an identifier or a number) and style.
    static void ExpectFont(const std::string& name, const std::string& prefix, const std::string& face, int height,
                           const std::string& color, const std::vector<std::string>& style)
    {
        EXPECT_EQ(Text(name, prefix + "Font.Name"), std::u16string(face.begin(), face.end())) << name;
        EXPECT_EQ(Int(name, prefix + "Font.Height"), height) << name;
        const TFormValue* c = Value(name, prefix + "Font.Color");
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(c->Kind == fvIdent ? c->Ident : std::to_string(c->Integer), color) << name;
        EXPECT_EQ(Set(name, prefix + "Font.Style"), style) << name;
    }

    static TFormObject* Root;
    static std::map<std::string, TPlaced> Components;
    static std::vector<std::string> Order;
};

TFormObject* FormDefinition::Root = nullptr;
std::map<std::string, TPlaced> FormDefinition::Components;
std::vector<std::string> FormDefinition::Order;

const std::vector<std::string> White = {"fsBold"};

} // namespace

TEST_F(FormDefinition, TheFormItself)
{
    EXPECT_EQ(Root->Name, "frmConfig");
    EXPECT_EQ(Root->ClassName, "TfrmConfig");
    EXPECT_EQ(Ident("frmConfig", "BorderStyle"), "bsDialog");
    EXPECT_EQ(Text("frmConfig", "Caption"), u"Veltrane");
    EXPECT_EQ(Int("frmConfig", "Color"), 0x984E00);
    ExpectFont("frmConfig", "", "Tahoma", -11, "clBlack", {});
    EXPECT_EQ(Ident("frmConfig", "Position"), "poScreenCenter");
    EXPECT_EQ(Ident("frmConfig", "OnCreate"), "FormCreate");
    EXPECT_EQ(Ident("frmConfig", "OnDestroy"), "FormDestroy");
}

TEST_F(FormDefinition, EveryComponentHasItsClassAndParent)
{
    const std::vector<std::tuple<std::string, std::string, std::string>> table = {
        {"imgTop", "TImage", "frmConfig"},          {"pgcOp", "TGradPageControl", "frmConfig"},
        {"tabImg", "TTabSheet", "pgcOp"},           {"lblInfo", "TLabel", "tabImg"},
        {"sclImgs", "TScrollBox", "tabImg"},        {"shpSel", "TTransShape", "sclImgs"},
        {"btnSetWallpaper", "TFlatButton", "tabImg"}, {"tabConfig", "TTabSheet", "pgcOp"},
        {"gbxLang", "TGroupBox", "tabConfig"},      {"Image2", "TImage", "gbxLang"},
        {"Image3", "TImage", "gbxLang"},            {"radEnlish", "TFlatRadioButton", "gbxLang"},
        {"radSpanish", "TFlatRadioButton", "gbxLang"}, {"gbxOp", "TGroupBox", "tabConfig"},
        {"radOpOriginal", "TFlatRadioButton", "gbxOp"}, {"radOpScale", "TFlatRadioButton", "gbxOp"},
        {"radOpFit", "TFlatRadioButton", "gbxOp"},  {"gbxTimeOption", "TGroupBox", "tabConfig"},
        {"txtImgWait", "TSpinEdit", "gbxTimeOption"}, {"Label7", "TLabel", "gbxTimeOption"},
        {"tabAbout", "TTabSheet", "pgcOp"},         {"gbxAbout", "TGroupBox", "tabAbout"},
        {"Shape2", "TShape", "gbxAbout"},           {"Shape1", "TShape", "gbxAbout"},
        {"Image1", "TImage", "gbxAbout"},           {"Label3D1", "TLabel3D", "gbxAbout"},
        {"Label1", "TLabel", "gbxAbout"},           {"Label2", "TLabel", "gbxAbout"},
        {"Label3", "TLabel", "gbxAbout"},           {"Label4", "TLabel", "gbxAbout"},
        {"Label5", "TLabel", "gbxAbout"},           {"Label6", "TLabel", "gbxAbout"},
        {"lblWebLink", "TLabel", "gbxAbout"},       {"btnCancel", "TFlatButton", "frmConfig"},
        {"btnAcept", "TFlatButton", "frmConfig"},   {"lngConfig", "TLanguageController", "frmConfig"},
    };
    for (const auto& [name, kind, parent] : table) {
        EXPECT_EQ(Get(name).ClassName, kind) << name;
        EXPECT_EQ(ParentOf(name), parent) << name;
    }
    for (int n = 1; n <= 10; ++n) {
        const std::string name = (n < 10 ? "img0" : "img") + std::to_string(n);
        EXPECT_EQ(Get(name).ClassName, "TImage");
        EXPECT_EQ(ParentOf(name), "sclImgs");
    }
    // 36 named above, 10 thumbnails and the form.
    EXPECT_EQ(Components.size(), 47u);
}

TEST_F(FormDefinition, CaptionsAreTheEnglishDesignTexts)
{
    const std::vector<std::pair<std::string, std::u16string>> captions = {
        {"tabImg", u"Images"}, {"btnSetWallpaper", u"&Set the image as Wallpaper"}, {"tabConfig", u"Configuration"},
        {"gbxLang", u" Language "}, {"radEnlish", u"English"}, {"radSpanish", u"Espa\u00F1ol"},
        {"gbxOp", u" Display Options "}, {"radOpOriginal", u"View image in original size"},
        {"radOpScale", u"Scale image proportionally"}, {"radOpFit", u"Fit image to screen size"},
        {"gbxTimeOption", u" Time Options (in seconds) "}, {"Label7", u"Image display time"}, {"tabAbout", u"About..."},
        {"gbxAbout", u" About "}, {"Label3D1", u"Veltrane"}, {"Label1", u"Version 1.0"}, {"Label2", u"Designed by:"},
        {"Label3", u"Photograph and Art:"}, {"lblWebLink", u"www.veltrane.org"}, {"btnCancel", u"&Cancel"},
        {"btnAcept", u"&Ok"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(Text(name, "Caption"), caption) << name;
    for (const char* name : {"Label4", "Label5", "Label6"})
        EXPECT_FALSE(Text(name, "Caption").empty()) << name;
}

TEST_F(FormDefinition, StatesAndTabOrderAtDesignTime)
{
    EXPECT_EQ(Ident("pgcOp", "ActivePage"), "tabImg");
    EXPECT_EQ(Ident("pgcOp", "TabStop"), "False");
    EXPECT_EQ(Int("sclImgs", "TabOrder"), 0);
    EXPECT_EQ(Int("btnSetWallpaper", "TabOrder"), 1);
    EXPECT_EQ(Ident("btnSetWallpaper", "Enabled"), "False");
    EXPECT_EQ(Ident("shpSel", "Visible"), "False");
    EXPECT_EQ(Int("shpSel", "Pen.Width"), 7);
    EXPECT_EQ(Ident("shpSel", "Shape"), "stRectangle");
    EXPECT_EQ(Ident("radEnlish", "Checked"), "True");
    EXPECT_EQ(Ident("radOpScale", "Checked"), "True");
    for (const char* name : {"radSpanish", "radOpOriginal", "radOpFit"})
        EXPECT_EQ(Value(name, "Checked"), nullptr) << name;
    for (const char* name : {"radEnlish", "radSpanish", "radOpOriginal", "radOpScale", "radOpFit"}) {
        EXPECT_EQ(Int(name, "MarkColor"), 0x984E00) << name;
        EXPECT_EQ(Ident(name, "AutoSize"), "True") << name;
    }
    EXPECT_EQ(Int("txtImgWait", "MaxLength"), 3);
    EXPECT_EQ(Int("txtImgWait", "MinValue"), 10);
    EXPECT_EQ(Int("txtImgWait", "MaxValue"), 999);
    EXPECT_EQ(Int("txtImgWait", "Value"), 10);
    EXPECT_EQ(Int("btnCancel", "TabOrder"), 1);
    EXPECT_EQ(Int("btnAcept", "TabOrder"), 2);
    EXPECT_EQ(Ident("btnCancel", "Cancel"), "True");
    EXPECT_EQ(Int("btnCancel", "Color"), 0x794000);
    EXPECT_EQ(Int("btnAcept", "Color"), 0xD57000);
    EXPECT_EQ(Int("tabConfig", "ImageIndex"), 1);
    EXPECT_EQ(Int("tabAbout", "ImageIndex"), 2);
}

TEST_F(FormDefinition, ColoursAndFonts)
{
    for (const char* name : {"lblInfo", "gbxLang", "gbxOp", "gbxTimeOption", "gbxAbout"}) {
        ExpectFont(name, "", "Tahoma", -11, "clWhite", White);
        EXPECT_EQ(Ident(name, "ParentFont"), "False") << name;
    }
    EXPECT_EQ(Ident("lblInfo", "AutoSize"), "False");
    EXPECT_EQ(Ident("lblInfo", "Layout"), "tlCenter");
    ExpectFont("txtImgWait", "", "Tahoma", -11, std::to_string(0x984E00), White);
    for (const char* name : {"Label4", "Label5", "Label6"})
        ExpectFont(name, "", "Tahoma", -11, "clYellow", White);
    ExpectFont("lblWebLink", "", "Tahoma", -11, std::to_string(0xCCFFFF), {"fsBold", "fsUnderline"});
    EXPECT_EQ(Ident("lblWebLink", "Cursor"), "crHandPoint");
    EXPECT_EQ(Ident("lblWebLink", "Transparent"), "True");
    EXPECT_EQ(Ident("Label1", "Transparent"), "True");
    ExpectFont("Label3D1", "", "Arial", -19, std::to_string(0x3E9EFF), White);
    EXPECT_EQ(Ident("Label3D1", "Alignment"), "taCenter");
    EXPECT_EQ(Ident("Label3D1", "Transparent"), "True");
    EXPECT_EQ(Ident("Label3D1", "TextStyle"), "tsRaised");
    EXPECT_EQ(Int("Label3D1", "Shift"), 1);
    for (const char* name : {"Shape1", "Shape2"}) {
        EXPECT_EQ(Int(name, "Brush.Color"), 0x804000) << name;
        EXPECT_EQ(Ident(name, "Pen.Style"), "psClear") << name;
    }
}

TEST_F(FormDefinition, TabLooks)
{
    EXPECT_EQ(Ident("pgcOp", "TabsPosition"), "fsdBottom");
    EXPECT_EQ(Set("pgcOp", "Options"), (std::vector<std::string>{"ftoAutoFontDirection", "ftoExcludeGlyphs"}));
    EXPECT_EQ(Value("pgcOp", "Glyphs"), nullptr);
    EXPECT_EQ(Int("pgcOp", "TabStyle.BackgrColor"), 0x6E4E00);
    ExpectFont("pgcOp", "TabStyle.", "Arial", -11, "clBtnHighlight", {});
    EXPECT_EQ(Ident("pgcOp", "TabStyle.CaptionHAlign"), "fhaCenter");
    EXPECT_EQ(Ident("pgcOp", "TabStyle.Gradient.Active"), "True");
    EXPECT_EQ(Ident("pgcOp", "TabStyle.Gradient.Orientation"), "fgdHorizontal");
    EXPECT_EQ(Ident("pgcOp", "TabStyle.Gradient.FromColor"), "clGray");
    EXPECT_EQ(Ident("pgcOp", "TabStyle.Gradient.ToColor"), "clBlack");
    ExpectFont("pgcOp", "TabSelectedStyle.", "Arial", -11, "clWhite", White);
    EXPECT_EQ(Ident("pgcOp", "TabSelectedStyle.TextStyle"), "fstShadow");
    EXPECT_EQ(Ident("pgcOp", "TabSelectedStyle.CaptionHAlign"), "fhaCenter");
    EXPECT_EQ(Ident("pgcOp", "TabSelectedStyle.Gradient.Active"), "True");
    EXPECT_EQ(Int("pgcOp", "TabSelectedStyle.Gradient.FromColor"), 0x984E00);
    EXPECT_EQ(Ident("pgcOp", "TabSelectedStyle.Gradient.ToColor"), "clWhite");
    // No bevel lines on either kind of tab: both bevels keep their default, none.
    for (const char* style : {"TabStyle.", "TabSelectedStyle."}) {
        EXPECT_EQ(Value("pgcOp", std::string(style) + "BevelInner"), nullptr);
        EXPECT_EQ(Value("pgcOp", std::string(style) + "BevelOuter"), nullptr);
    }
}

TEST_F(FormDefinition, EventsAreBoundToTheDialogsHandlers)
{
    EXPECT_EQ(Ident("btnSetWallpaper", "OnClick"), "btnSetWallpaperClick");
    EXPECT_EQ(Ident("btnSetWallpaper", "OnPaint"), "btnSetWallpaperPaint");
    EXPECT_EQ(Ident("radEnlish", "OnClick"), "radEnlishClick");
    EXPECT_EQ(Ident("radSpanish", "OnClick"), "radSpanishClick");
    EXPECT_EQ(Ident("lblWebLink", "OnClick"), "lblWebLinkClick");
    EXPECT_EQ(Ident("btnCancel", "OnClick"), "btnCancelClick");
    EXPECT_EQ(Ident("btnCancel", "OnPaint"), "prButtonsPainting");
    EXPECT_EQ(Ident("btnAcept", "OnClick"), "btnAceptClick");
    EXPECT_EQ(Ident("btnAcept", "OnPaint"), "prButtonsPainting");
    for (const char* name : {"radOpOriginal", "radOpScale", "radOpFit"})
        EXPECT_EQ(Value(name, "OnClick"), nullptr) << name;
}

TEST_F(FormDefinition, TheLanguageControllerCarriesTheStoredEntryTree)
{
    const TFormValue* data = Value("lngConfig", "LangData");
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(data->Kind, fvBinary);
    ASSERT_EQ(data->Bytes.size(), 941u);
    // Starts with the form's entry: its name, one property, then the 45 children.
    const std::string head(data->Bytes.begin(), data->Bytes.begin() + 11);
    EXPECT_EQ(head, std::string("\x09\x00" "frmConfig", 11));
    std::ifstream in(TestSourceDir() / "resources" / "lngConfig.langdata", std::ios::binary);
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(data->Bytes, file) << "the form's copy must follow resources/lngConfig.langdata";
}

TEST_F(FormDefinition, ThePicturesNameResourcesOfTheProgram)
{
    EXPECT_EQ(Text("imgTop", "Picture.ResourceName"), u"BANNER");
    EXPECT_EQ(Text("Image2", "Picture.ResourceName"), u"FLAG_EN");
    EXPECT_EQ(Text("Image3", "Picture.ResourceName"), u"FLAG_ES");
    for (const char* name : {"BANNER", "FLAG_EN", "FLAG_ES"})
        EXPECT_TRUE(FindResource("RCDATA", name).has_value()) << name;
    // The thumbnails stay empty until the dialog loads them.
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(Value((n < 10 ? "img0" : "img") + std::to_string(n), "Picture.ResourceName"), nullptr);
}
