// The language controller on forms read from form definitions: capture, translation and
// back, catch-up of a second form, the dialog's LangData written and read back, masks,
// options and the removal of components.
#include "LangTestBytes.h"
#include "LangTestComponents.h"
#include "TestModule.h"

#include "lang/ByteReader.h"
#include "lang/LangError.h"
#include "lang/Lang_CompEntries.h"
#include "lang/Lang_CompEntry.h"
#include "lang/Lang_MaskList.h"
#include "lang/Lang_PropEntries.h"
#include "lang/LanguageController.h"
#include "lang/LanguageManager.h"
#include "lang/ResourceModule.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"
#include "classes/Errors.h"
#include "classes/StringList.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string Ansi(std::u16string_view text)
{
    return WideToMultiByte(1252, text);
}

// Every test that selects a language through the process's manager leaves it in English.
class LanguageControllerTest : public ::testing::Test {
protected:
    LanguageControllerTest()
    {
        TTestModule& module = Module();
        module.Put("LNG_TEST", Utf16LeBytes(
            u"LANGID=1036\r\n"
            u"[frmTest]\r\n"
            u"1=Formulaire\r\n"
            u"2=Bouton\r\n"
            u"3=Ligne un\\nLigne deux\\n\r\n"
            u"4=Colonne\r\n"
            u"5=Titre\r\n"
            u"[frmOther]\r\n"
            u"1=Autre\r\n"));
        LangManager().RegisterResourceTranslation(module, u"LNG_TEST", 1036);
        LangManager().RegisterResourceTranslation(ProgramModule(), u"LNG_SPANISH", 1034);
    }
    ~LanguageControllerTest() override { LangManager().SelectLanguageId(1033); }

    // The process's manager keeps a pointer to the module: it lives as long as the process.
    static TTestModule& Module()
    {
        static TTestModule module;
        return module;
    }
};

const char* const TestForm = R"(object frmTest: TLangTestForm
  Caption = 'Form'
  object btnOne: TLangTestControl
    Caption = 'Button'
    Lines.Strings = ('Line one' 'Line two')
    Columns = <
      item
        Title = 'Column'
        Width = 10
      end>
    Border.Title = 'Title'
  end
  object imgOne: TLangTestImage
    Width = 5
  end
  object lngTest: TLanguageController
    LangData = {
      0700 66726D54657374 01 01000000 01000000 0700 43617074696F6E
      01 02000000
        0600 62746E4F6E65 01 04000000
          02000000 0700 43617074696F6E
          05000000 0C00 426F726465722E5469746C65
          04000000 1000 436F6C756D6E735B305D2E5469746C65
          03000000 0500 4C696E6573
        00
        0600 696D674F6E65 00 00}
  end
end
)";

TLanguageController& ControllerOf(TComponent& form)
{
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* controller = dynamic_cast<TLanguageController*>(form.Components(i)))
            return *controller;
    throw std::runtime_error("no controller");
}

} // namespace

TEST_F(LanguageControllerTest, LoadedFormCapturesItsValuesAndSwitchesBothWays)
{
    auto form = LoadLangTestForm(TestForm);
    auto& button = dynamic_cast<TLangTestControl&>(*form->FindComponent("btnOne"));
    TLanguageController& controller = ControllerOf(*form);
    const TLang_CompEntry& root = controller.RootEntry();
    EXPECT_EQ(root.BoundComponent(), form.get());
    EXPECT_EQ(root.StoredName(), "");
    ASSERT_NE(root.Props(), nullptr);
    EXPECT_EQ(root.Props()->FindEntry("Caption")->BaseValue, u"Form");
    ASSERT_EQ(root.Children()->Count(), 2);
    const TLang_PropEntries& props = *root.Children()->Items(0).Props();
    EXPECT_EQ(props.FindEntry("caption")->BaseValue, u"Button");
    EXPECT_EQ(props.FindEntry("Lines")->BaseValue, u"Line one\r\nLine two\r\n");
    EXPECT_EQ(props.FindEntry("Columns[0].Title")->BaseValue, u"Column");
    EXPECT_EQ(props.FindEntry("Border.Title")->BaseValue, u"Title");

    LangManager().SelectLanguageId(1036);
    EXPECT_EQ(form->FCaption, "Formulaire");
    EXPECT_EQ(button.FCaption, "Bouton");
    EXPECT_EQ(button.FLines->Count(), 2);
    EXPECT_EQ(button.FLines->Get(1), "Ligne deux");
    EXPECT_EQ(dynamic_cast<TLangTestColumn&>(button.FColumns->Items(0)).FTitle, "Colonne");
    EXPECT_EQ(button.FBorder->FTitle, "Titre");

    // A caption changed in code is overwritten by the next switch.
    button.SetCaption("Changed");
    LangManager().SelectLanguageIndex(0);
    EXPECT_EQ(form->FCaption, "Form");
    EXPECT_EQ(button.FCaption, "Button");
    EXPECT_EQ(button.FLines->Text(), "Line one\r\nLine two\r\n");
    EXPECT_EQ(dynamic_cast<TLangTestColumn&>(button.FColumns->Items(0)).FTitle, "Column");
    EXPECT_EQ(button.FBorder->FTitle, "Title");
}

TEST_F(LanguageControllerTest, EveryEntryIsSetOnEveryApplicationAndNotTwiceForTheSameLanguage)
{
    auto form = LoadLangTestForm(TestForm);
    auto& button = dynamic_cast<TLangTestControl&>(*form->FindComponent("btnOne"));
    const int sets = button.FCaptionSets;
    LangManager().SelectLanguageId(1036);
    EXPECT_EQ(button.FCaptionSets, sets + 1);
    LangManager().SelectLanguageId(1036);
    EXPECT_EQ(button.FCaptionSets, sets + 1) << "the current language again applies nothing";
    LangManager().SelectLanguageId(1033);
    EXPECT_EQ(button.FCaptionSets, sets + 2);
}

TEST_F(LanguageControllerTest, FormCreatedInATranslatedLanguageIsCaughtUp)
{
    auto first = LoadLangTestForm(TestForm);
    LangManager().SelectLanguageId(1036);
    std::string second = TestForm;
    auto second_form = LoadLangTestForm(second);
    EXPECT_EQ(second_form->FCaption, "Formulaire");
    EXPECT_EQ(dynamic_cast<TLangTestControl&>(*second_form->FindComponent("btnOne")).FCaption, "Bouton");
    // Its captured values are still the form's own.
    EXPECT_EQ(ControllerOf(*second_form).RootEntry().Props()->FindEntry("Caption")->BaseValue, u"Form");
    LangManager().SelectLanguageId(1033);
    EXPECT_EQ(second_form->FCaption, "Form");
    EXPECT_EQ(first->FCaption, "Form");
}

TEST_F(LanguageControllerTest, SectionNameChoosesTheSection)
{
    auto form = LoadLangTestForm(TestForm);
    TLanguageController& controller = ControllerOf(*form);
    EXPECT_EQ(controller.EffectiveSectionName(), u"frmTest");
    controller.SetSectionName(u"FRMOTHER");
    LangManager().SelectLanguageId(1036);
    EXPECT_EQ(form->FCaption, "Autre");
    EXPECT_EQ(dynamic_cast<TLangTestControl&>(*form->FindComponent("btnOne")).FCaption, "Button")
        << "the other section has no ID 2: the captured value";
}

TEST_F(LanguageControllerTest, StoredEntriesOfMissingComponentsAreDroppedSilently)
{
    std::string text = TestForm;
    // The stored tree names btnOne and imgOne; a form without imgOne loads without error.
    const std::size_t at = text.find("  object imgOne");
    text.erase(at, text.find("  object lngTest") - at);
    auto form = LoadLangTestForm(text);
    const TLang_CompEntry& root = ControllerOf(*form).RootEntry();
    ASSERT_EQ(root.Children()->Count(), 1);
    EXPECT_EQ(root.Children()->Items(0).EntryName(), "btnOne");
}

TEST_F(LanguageControllerTest, RemovedComponentsLeaveTheTree)
{
    auto form = LoadLangTestForm(TestForm);
    TLanguageController& controller = ControllerOf(*form);
    form->FindComponent("imgOne")->Free();
    ASSERT_EQ(controller.RootEntry().Children()->Count(), 1);
    form->FindComponent("btnOne")->Free();
    EXPECT_EQ(controller.RootEntry().Children(), nullptr) << "an empty child list is released";
    LangManager().SelectLanguageId(1036);
    EXPECT_EQ(form->FCaption, "Formulaire");
}

TEST_F(LanguageControllerTest, SpanishDialogCaptionsAndConstants)
{
    // The dialog's tree with its stored LangData, read from a form definition.
    const auto langData = SourceFileBytes("resources/lngConfig.langdata");
    const std::vector<std::pair<std::string, std::string>> components = {
        {"imgTop", ""}, {"pgcOp", ""}, {"tabImg", "Images"}, {"lblInfo", "-"}, {"sclImgs", ""},
        {"img01", ""}, {"img02", ""}, {"img03", ""}, {"img04", ""}, {"img05", ""}, {"img06", ""}, {"img07", ""},
        {"shpSel", ""}, {"btnSetWallpaper", "&Set the image as Wallpaper"}, {"tabConfig", "Configuration"},
        {"tabAbout", "About..."}, {"btnCancel", "&Cancel"}, {"btnAcept", "&Ok"}, {"gbxAbout", " About "},
        {"Image1", ""}, {"Shape1", ""}, {"Shape2", ""}, {"Label3D1", "Veltrane"}, {"Label1", "Version 1.0"},
        {"Label2", "Designed by:"}, {"Label3", "Photograph and Art:"}, {"Label4", "A. Person"},
        {"Label5", "B. Person"}, {"Label6", "C. Person"}, {"lblWebLink", "www.example.com"},
        {"gbxLang", " Language "}, {"gbxOp", " Display Options "}, {"Image2", ""}, {"Image3", ""},
        {"radEnlish", "English"}, {"radSpanish", "Espa'#241'ol"}, {"radOpOriginal", "View image in original size"},
        {"radOpScale", "Scale image proportionally"}, {"radOpFit", "Fit image to screen size"},
        {"gbxTimeOption", " Time Options (in seconds) "}, {"txtImgWait", ""}, {"Label7", "Image display time"},
        {"img08", ""}, {"img09", ""}, {"img10", ""}};
    std::string text = "object frmConfig: TLangTestForm\n  Caption = 'Veltrane'\n";
    for (const auto& [name, caption] : components) {
        if (caption.empty())
            text += "  object " + name + ": TLangTestImage\n  end\n";
        else
            text += "  object " + name + ": TLangTestLabel\n    Caption = '" + caption + "'\n  end\n";
    }
    text += "  object lngConfig: TLanguageController\n    LangData = {" + HexDigits(langData) + "}\n  end\nend\n";
    auto form = LoadLangTestForm(text);
    auto caption = [&](const char* name) { return dynamic_cast<TLangTestLabel&>(*form->FindComponent(name)).FCaption; };

    LangManager().SelectLanguageId(1034);
    EXPECT_EQ(form->FCaption, "Veltrane");
    EXPECT_EQ(caption("tabImg"), Ansi(u"Imágenes"));
    EXPECT_EQ(caption("btnSetWallpaper"), "&Colocar imagen como papel tapiz");
    EXPECT_EQ(caption("gbxAbout"), "Acerca");
    EXPECT_EQ(caption("gbxOp"), Ansi(u"Opciones de visualización"));
    EXPECT_EQ(caption("Label7"), "Tiempo de espera de imagen");
    EXPECT_EQ(caption("Label4"), "A. Person");
    EXPECT_EQ(caption("lblWebLink"), "www.example.com");
    EXPECT_EQ(caption("lblInfo"), "-") << "lblInfo has no entry";
    EXPECT_EQ(LangConstText("cInfoSelect"), u"Clic en la imagen para seleccionar.");
    EXPECT_EQ(LangConstText("cinfowait"), LangConstText("cInfoWait"));

    LangManager().SelectLanguageIndex(0);
    EXPECT_EQ(caption("tabImg"), "Images");
    EXPECT_EQ(caption("gbxAbout"), " About ");
    EXPECT_EQ(caption("radSpanish"), Ansi(u"Español"));
    EXPECT_EQ(caption("Label4"), "A. Person");
    EXPECT_EQ(LangConstText("cInfoSelect"), u"Click on one image to select it.");
    EXPECT_EQ(LangConstText("cInfoEnded"), u"Ready.");

    // The stream a modifying refresh writes is the stored one: no entry is new or gone.
    EXPECT_EQ(ControllerOf(*form).WriteLangData(), langData);
}

TEST_F(LanguageControllerTest, ModifyingRefreshOfTheDialogWritesItsLangData)
{
    // The dialog built in code: a modifying refresh hands out IDs in walk order; lblInfo's
    // caption once held ID 3, and emptying it deletes that entry without reusing the ID.
    const std::vector<std::string> names = {"imgTop", "pgcOp", "tabImg", "lblInfo", "sclImgs", "img01", "img02",
        "img03", "img04", "img05", "img06", "img07", "shpSel", "btnSetWallpaper", "tabConfig", "tabAbout",
        "btnCancel", "btnAcept", "gbxAbout", "Image1", "Shape1", "Shape2", "Label3D1", "Label1", "Label2", "Label3",
        "Label4", "Label5", "Label6", "lblWebLink", "gbxLang", "gbxOp", "Image2", "Image3", "radEnlish",
        "radSpanish", "radOpOriginal", "radOpScale", "radOpFit", "gbxTimeOption", "txtImgWait", "Label7", "img08",
        "img09", "img10"};
    const std::vector<std::string> textless = {"imgTop", "pgcOp", "sclImgs", "img01", "img02", "img03", "img04",
        "img05", "img06", "img07", "shpSel", "Image1", "Shape1", "Shape2", "Image2", "Image3", "img08", "img09",
        "img10"};
    TLangTestForm form;
    form.SetName("frmConfig");
    form.FCaption = "Veltrane";
    for (const std::string& name : names) {
        if (std::find(textless.begin(), textless.end(), name) != textless.end()) {
            form.CreateComponent<TLangTestImage>().SetName(name);
        } else {
            auto& label = form.CreateComponent<TLangTestLabel>();
            label.SetName(name);
            label.FCaption = name == "txtImgWait" ? "10" : "Text of " + name;
        }
    }
    auto& controller = form.CreateComponent<TLanguageController>();
    controller.SetName("lngConfig");
    ASSERT_TRUE(controller.HasLangData());
    controller.Refresh(true);
    EXPECT_EQ(controller.RootEntry().HighestId(), 26) << "the form, then 25 captions; txtImgWait's 10 has no letter";
    dynamic_cast<TLangTestLabel&>(*form.FindComponent("lblInfo")).FCaption.clear();
    const auto written = controller.WriteLangData();
    EXPECT_EQ(written, SourceFileBytes("resources/lngConfig.langdata"));

    // A new caption takes ID 27; ID 3 is not handed out again.
    auto& extra = form.CreateComponent<TLangTestLabel>();
    extra.SetName("lblExtra");
    extra.FCaption = "Extra";
    controller.Refresh(true);
    const TLang_CompEntry* entry = controller.RootEntry().Children()->FindBound(&extra);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Props()->FindEntry("Caption")->PropId, 27);

    // Read back into a fresh tree: names, IDs and paths alike.
    TLang_CompEntry copy;
    TByteReader reader(written);
    copy.ReadStream(reader);
    std::vector<std::uint8_t> again;
    copy.WriteStream(again);
    EXPECT_EQ(again, written);
}

TEST_F(LanguageControllerTest, OptionsAndMasksDecideWhatIsCaptured)
{
    TLangTestForm form;
    form.SetName("frmMask");
    auto& control = form.CreateComponent<TLangTestControl>();
    control.SetName("ctlOne");
    control.SetCaption("1.0");
    control.FHint = u"Versión 1.0";
    control.FShort = "---";
    control.FText = "default";
    control.FFont->SetName("Tahoma");
    auto& controller = form.CreateComponent<TLanguageController>();
    controller.Refresh(true);
    const TLang_PropEntries* props = controller.RootEntry().Children()->Items(0).Props();
    ASSERT_NE(props, nullptr);
    EXPECT_EQ(props->Count(), 1);
    EXPECT_NE(props->FindEntry("Hint"), nullptr);

    // Without the option filters: empty and non-alphabetic values, and the font's name.
    controller.SetOptions(TLanguageControllerOptions{lcoAutoSaveLangSource});
    controller.Refresh(true);
    props = controller.RootEntry().Children()->Items(0).Props();
    EXPECT_NE(props->FindEntry("Caption"), nullptr);
    EXPECT_NE(props->FindEntry("Short"), nullptr);
    EXPECT_NE(props->FindEntry("Font.Name"), nullptr);
    EXPECT_NE(props->FindEntry("Border.Title"), nullptr) << "empty values are kept";
    EXPECT_EQ(props->FindEntry("Text"), nullptr) << "not stored";
    EXPECT_EQ(props->FindEntry("Fixed"), nullptr) << "read-only";
    EXPECT_EQ(props->FindEntry("Name"), nullptr);
    EXPECT_EQ(props->FindEntry("Buddy"), nullptr);

    // Store masks take unstored properties in; ignore masks keep any out; the form's own
    // properties have full paths beginning with ".", so "frmMask.*" would not reach them.
    controller.SetOptions(TLanguageController::AllOptions);
    TStringList store;
    store.Add("ctlOne.T*");
    controller.SetStoreList(&store);
    TStringList ignore;
    ignore.Add("*.HINT");
    controller.SetIgnoreList(&ignore);
    form.FCaption = "Form";
    controller.Refresh(true);
    props = controller.RootEntry().Children()->Items(0).Props();
    EXPECT_NE(props->FindEntry("Text"), nullptr);
    EXPECT_EQ(props->FindEntry("Hint"), nullptr);
    EXPECT_NE(controller.RootEntry().Props()->FindEntry("Caption"), nullptr);
}

TEST_F(LanguageControllerTest, InvalidMaskFailsTheRefresh)
{
    TLangTestForm form;
    form.SetName("frmMask");
    auto& controller = form.CreateComponent<TLanguageController>();
    TStringList ignore;
    ignore.Add("ab[c");
    controller.SetIgnoreList(&ignore);
    try {
        controller.Refresh(true);
        FAIL();
    } catch (const EMaskException& e) {
        EXPECT_STREQ(e.what(), "'ab[c' is an invalid mask at (3)");
    }
}

TEST(LangMaskList, Wildcards)
{
    EXPECT_TRUE(TLang_MaskList::Matches("*", ""));
    EXPECT_TRUE(TLang_MaskList::Matches("*.hint", "btnOne.Hint"));
    EXPECT_TRUE(TLang_MaskList::Matches("btn???.Caption", "BTNONE.caption"));
    EXPECT_FALSE(TLang_MaskList::Matches("btn??.Caption", "btnOne.Caption"));
    EXPECT_TRUE(TLang_MaskList::Matches("[a-c]*", "Button"));
    EXPECT_FALSE(TLang_MaskList::Matches("[!a-c]*", "button"));
    EXPECT_TRUE(TLang_MaskList::Matches("[xyz.]*", ".Caption"));
    EXPECT_TRUE(TLang_MaskList::Matches("*a*b*c", "xxaxxbxxbxc"));
    EXPECT_FALSE(TLang_MaskList::Matches("*a*b*c", "xxaxxbxxbxcx"));
    EXPECT_FALSE(TLang_MaskList::Matches("Caption", "Caption2"));
    EXPECT_TRUE(TLang_MaskList::Matches("Cap*", "Caption"));
    // Stars against a long text end in time.
    EXPECT_FALSE(TLang_MaskList::Matches("*a*a*a*a*a*a*a*a*b", std::string(2000, 'a')));
    for (const char* bad : {"[", "[abc", "a[]", "[!]", "[a-]", "[-a]"})
        EXPECT_THROW(TLang_MaskList::Check(bad), EMaskException) << bad;
    EXPECT_NO_THROW(TLang_MaskList::Check("a]b"));
}

TEST(LangData, TruncationAtEveryByteIsAReadError)
{
    const auto bytes = SourceFileBytes("resources/lngConfig.langdata");
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        TLang_CompEntry root;
        TByteReader reader(std::span<const std::uint8_t>(bytes.data(), size));
        EXPECT_THROW(root.ReadStream(reader), EReadError) << size;
    }
}

TEST(LangData, AbsurdCountsAndDeepNestingAreReadErrors)
{
    TBytes props{1, 0, 'a', 1};
    PutInt32(props, 0x7FFFFFFF);
    PutInt32(props, 1);
    TLang_CompEntry root;
    TByteReader reader(props);
    EXPECT_THROW(root.ReadStream(reader), EReadError);

    TBytes children{0, 0, 0, 1};
    PutInt32(children, 0x7FFFFFFF);
    TLang_CompEntry other;
    TByteReader childReader(children);
    EXPECT_THROW(other.ReadStream(childReader), EReadError);

    // Entries nested a thousand deep: refused before the stack runs out.
    TBytes deep;
    for (int i = 0; i < 1000; ++i) {
        deep.insert(deep.end(), {0, 0, 0, 1});
        PutInt32(deep, 1);
    }
    TLang_CompEntry deepRoot;
    TByteReader deepReader(deep);
    EXPECT_THROW(deepRoot.ReadStream(deepReader), EReadError);

    // Negative counts read nothing; repeated paths keep the first ID.
    TBytes odd{1, 0, 'x', 1};
    PutInt32(odd, 2);
    PutInt32(odd, 5);
    PutName(odd, "Caption");
    PutInt32(odd, 9);
    PutName(odd, "CAPTION");
    odd.push_back(1);
    PutInt32(odd, -4);
    TLang_CompEntry oddRoot;
    TByteReader oddReader(odd);
    oddRoot.ReadStream(oddReader);
    ASSERT_EQ(oddRoot.Props()->Count(), 1);
    EXPECT_EQ(oddRoot.Props()->Items(0).PropId, 5);
    EXPECT_EQ(oddRoot.Children()->Count(), 0);
}

TEST_F(LanguageControllerTest, TruncatedLangDataFailsTheFormLoad)
{
    std::string text = TestForm;
    const std::size_t close = text.find("00}");
    text.replace(close, 3, "}");
    EXPECT_THROW(LoadLangTestForm(text), EReadError);
}

TEST_F(LanguageControllerTest, ExportSourceLinesAndTranslationSource)
{
    auto form = LoadLangTestForm(TestForm);
    TLanguageController& controller = ControllerOf(*form);
    dynamic_cast<TLangTestControl&>(*form->FindComponent("btnOne")).SetCaption("Tab\there\\");
    ITranslationSource& source = controller;
    EXPECT_TRUE(source.PrepareSource());
    EXPECT_EQ(source.SourceSection(), u"frmTest");
    std::vector<std::u16string> lines;
    source.WriteSource(lines, 0xFF);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], u"Caption=00000001,Form");
    EXPECT_EQ(lines[1], u"btnOne.Border.Title=00000005,Title");
    EXPECT_EQ(lines[2], u"btnOne.Caption=00000002,Tab\\there\\\\");
    EXPECT_EQ(lines[3], u"btnOne.Columns[0].Title=00000004,Column");
    EXPECT_EQ(lines[4], u"btnOne.Lines=00000003,Line one\\nLine two\\n");

    TLangTestForm unnamed;
    auto& bare = unnamed.CreateComponent<TLanguageController>();
    EXPECT_FALSE(bare.PrepareSource());
    EXPECT_FALSE(bare.HasLangData());
}

TEST_F(LanguageControllerTest, ComponentsOwnedByComponentsGetNestedEntries)
{
    TLangTestForm form;
    form.SetName("frmTest");
    auto& panel = form.CreateComponent<TLangTestControl>();
    panel.SetName("pnlOne");
    panel.SetCaption("Panel");
    auto& inner = panel.CreateComponent<TLangTestLabel>();
    inner.SetName("lblInner");
    inner.FCaption = "Inner";
    auto& controller = form.CreateComponent<TLanguageController>();
    controller.Refresh(true);
    const TLang_CompEntry& panelEntry = controller.RootEntry().Children()->Items(0);
    ASSERT_NE(panelEntry.Children(), nullptr);
    const TLang_CompEntry& innerEntry = panelEntry.Children()->Items(0);
    EXPECT_EQ(innerEntry.PathName(false), "pnlOne.lblInner");
    EXPECT_EQ(innerEntry.PathName(true), "frmTest.pnlOne.lblInner");
    EXPECT_EQ(controller.RootEntry().PathName(true), "frmTest");
    EXPECT_EQ(controller.RootEntry().PathName(false), "");
    std::vector<std::u16string> lines;
    controller.WriteSource(lines, 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], u"pnlOne.Caption=00000001,Panel");
    EXPECT_EQ(lines[1], u"pnlOne.lblInner.Caption=00000002,Inner");

    // The stored tree binds to a fresh copy of the form through the nested names.
    const auto stored = controller.WriteLangData();
    TLang_CompEntry copy;
    TByteReader reader(stored);
    copy.ReadStream(reader);
    EXPECT_EQ(copy.Children()->Items(0).Children()->Items(0).EntryName(), "lblInner");
    copy.BindTo(&form);
    EXPECT_EQ(copy.Children()->Items(0).Children()->Items(0).BoundComponent(), &inner);
    EXPECT_EQ(copy.Children()->Items(0).StoredName(), "");

    // Removing the inner component drops its entry deep in the tree.
    controller.RootEntry().DropComponent(&inner, true);
    EXPECT_EQ(controller.RootEntry().Children()->Items(0).Children(), nullptr);
}

TEST_F(LanguageControllerTest, SubObjectCyclesEndAndUnboundEntriesAreHarmless)
{
    TLangTestForm form;
    form.SetName("frmTest");
    auto& control = form.CreateComponent<TLangTestControl>();
    control.SetName("ctlOne");
    control.FBorder->FTitle = "Title";
    auto& controller = form.CreateComponent<TLanguageController>();
    controller.Refresh(true);
    const TLang_PropEntries* props = controller.RootEntry().Children()->Items(0).Props();
    ASSERT_NE(props, nullptr);
    EXPECT_EQ(props->Count(), 1);
    EXPECT_NE(props->FindEntry("Border.Title"), nullptr);

    // A tree read but never bound translates nothing and fails nothing.
    const auto stored = controller.WriteLangData();
    TLang_CompEntry unbound;
    TByteReader reader(stored);
    unbound.ReadStream(reader);
    unbound.Translate(nullptr, 1252);
    TLang_RefreshOptions options;
    unbound.Refresh(true, options);
    EXPECT_EQ(unbound.HighestId(), 1);
}

TEST_F(LanguageControllerTest, ControllersOfTwoFormsFollowEverySelectionInCreationOrder)
{
    std::vector<std::string> log;
    auto first = LoadLangTestForm(TestForm);
    auto second = LoadLangTestForm(std::string(TestForm).replace(7, 7, "frmOther"));
    ControllerOf(*first).OnLanguageChanged = [&log](TObject*) { log.push_back("first"); };
    ControllerOf(*second).OnLanguageChanged = [&log](TObject*) { log.push_back("second"); };
    LangManager().SelectLanguageId(1036);
    LangManager().SelectLanguageId(1033);
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second", "first", "second"}));
    EXPECT_EQ(first->FCaption, "Form");
    EXPECT_EQ(second->Name(), "frmOther");
}
