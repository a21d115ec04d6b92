#include "TestComponents.h"

#include "classes/ClassInfo.h"
#include "classes/ClassRegistry.h"
#include "classes/Errors.h"
#include "ui/PersistentFont.h"
#include "classes/PropInfo.h"
#include "classes/Published.h"

#include <gtest/gtest.h>

#include <any>
#include <string>
#include <vector>

namespace {

std::vector<std::string> PropertyNames(const TClassInfo& info) {
    std::vector<std::string> names;
    for (const TPropInfo& property : info.Properties()) names.push_back(property.Name());
    return names;
}

const TPropInfo& Prop(const TObject& object, const char* name) {
    const TPropInfo* info = object.ClassType().FindProperty(name);
    if (!info) throw std::runtime_error(std::string("no property ") + name);
    return *info;
}

}  // namespace

TEST(ReflectionListing, InheritedPropertiesComeFirstAndRedeclaredOnesKeepTheirPlace) {
    const std::vector<std::string> control = PropertyNames(TTestControl::StaticClass());
    ASSERT_GE(control.size(), 3u);
    EXPECT_EQ(control[0], "Name");
    EXPECT_EQ(control[1], "Tag");
    EXPECT_EQ(control[2], "Caption");

    std::vector<std::string> panel = PropertyNames(TTestPanel::StaticClass());
    std::vector<std::string> expected = control;
    expected.push_back("Border");
    EXPECT_EQ(panel, expected);

    TTestForm form;
    TTestPanel& p = form.CreateComponent<TTestPanel>();
    // The redeclaration replaced the stored test.
    EXPECT_FALSE(Prop(p, "Caption").IsStored(p));
    TTestControl& c = form.CreateComponent<TTestControl>();
    EXPECT_TRUE(Prop(c, "Caption").IsStored(c));
}

TEST(ReflectionListing, ClassNamesAndAncestry) {
    TTestForm form;
    TTestPanel& panel = form.CreateComponent<TTestPanel>();
    EXPECT_EQ(panel.ClassName(), "TTestPanel");
    EXPECT_TRUE(panel.InheritsFrom(TTestControl::StaticClass()));
    EXPECT_TRUE(panel.InheritsFrom(TComponent::StaticClass()));
    EXPECT_TRUE(panel.InheritsFrom(TPersistent::StaticClass()));
    EXPECT_FALSE(panel.InheritsFrom(TTestForm::StaticClass()));
    EXPECT_EQ(TTestPanel::StaticClass().Parent(), &TTestControl::StaticClass());
    EXPECT_EQ(TTestControl::StaticClass().FindProperty("CAPTION"), TTestControl::StaticClass().FindProperty("caption"));
    EXPECT_EQ(TTestControl::StaticClass().FindProperty("Nope"), nullptr);
}

TEST(ReflectionKinds, KindsAndOrdinalSizesFollowTheCppTypes) {
    const TClassInfo& c = TTestControl::StaticClass();
    auto kind = [&](const char* name) { return c.FindProperty(name)->Kind(); };
    EXPECT_EQ(kind("Name"), tkLString);
    EXPECT_EQ(kind("Caption"), tkLString);
    EXPECT_EQ(kind("Short"), tkString);
    EXPECT_EQ(kind("Hint"), tkWString);
    EXPECT_EQ(kind("Tag"), tkInteger);
    EXPECT_EQ(kind("Small"), tkInteger);
    EXPECT_EQ(c.FindProperty("Small")->OrdType(), otSWord);
    EXPECT_EQ(c.FindProperty("Color")->OrdType(), otULong);
    EXPECT_EQ(kind("Big"), tkInt64);
    EXPECT_EQ(kind("Alignment"), tkEnumeration);
    EXPECT_EQ(c.FindProperty("Alignment")->EnumType()->TypeName(), "TTestAlignment");
    EXPECT_EQ(kind("Visible"), tkEnumeration);
    EXPECT_EQ(c.FindProperty("Visible")->EnumType()->NameOf(1), "True");
    EXPECT_EQ(kind("Anchors"), tkSet);
    EXPECT_EQ(c.FindProperty("Anchors")->EnumType()->TypeName(), "TTestAnchorKind");
    EXPECT_EQ(kind("PasswordChar"), tkChar);
    EXPECT_EQ(kind("WideChar"), tkWChar);
    EXPECT_EQ(kind("Sub"), tkClass);
    EXPECT_EQ(c.FindProperty("Sub")->PropClass(), &TTestSub::StaticClass());
    EXPECT_EQ(c.FindProperty("Buddy")->PropClass(), &TTestControl::StaticClass());
    EXPECT_EQ(c.FindProperty("Lines")->PropClass(), &TStringList::StaticClass());
    EXPECT_EQ(kind("OnClick"), tkMethod);
    EXPECT_EQ(c.FindProperty("OnClick")->MethodType(), std::type_index(typeid(TTestNotifyEvent)));
}

TEST(ReflectionAccess, StringsReadAndWriteThroughGettersAndSetters) {
    TTestForm form;
    TTestControl& c = form.CreateComponent<TTestControl>();
    Prop(c, "Caption").SetStr(c, "Hello");
    EXPECT_EQ(c.FCaption, "Hello");
    EXPECT_EQ(c.FCaptionSets, 1);  // went through the setter
    EXPECT_EQ(Prop(c, "Caption").GetStr(c), "Hello");

    Prop(c, "Hint").SetWideStr(c, u"Espa\u00F1ol");
    EXPECT_EQ(c.FHint, u"Espa\u00F1ol");
    EXPECT_EQ(Prop(c, "Hint").GetWideStr(c), u"Espa\u00F1ol");

    Prop(c, "Short").SetStr(c, std::string(300, 'x'));
    EXPECT_EQ(c.FShort.size(), 255u);

    Prop(c, "Name").SetStr(c, "lblInfo");
    EXPECT_EQ(c.Name(), "lblInfo");
    EXPECT_THROW(Prop(c, "Name").SetStr(c, "not valid"), EComponentError);
}

TEST(ReflectionAccess, OrdinalsEnumerationsSetsAndCharacters) {
    TTestForm form;
    TTestControl& c = form.CreateComponent<TTestControl>();
    Prop(c, "Tag").SetOrd(c, -42);
    EXPECT_EQ(c.Tag(), -42);
    Prop(c, "Small").SetOrd(c, -32768);
    EXPECT_EQ(c.FSmall, -32768);
    Prop(c, "Big").SetOrd(c, 1LL << 40);
    EXPECT_EQ(c.FBig, 1LL << 40);
    Prop(c, "Alignment").SetOrd(c, taCenter);
    EXPECT_EQ(c.FAlignment, taCenter);
    EXPECT_EQ(Prop(c, "Alignment").GetOrd(c), 2);
    Prop(c, "Visible").SetOrd(c, 0);
    EXPECT_FALSE(c.FVisible);
    Prop(c, "Anchors").SetOrd(c, TTestAnchors{akRight, akBottom}.Bits());
    EXPECT_EQ(c.FAnchors, (TTestAnchors{akRight, akBottom}));
    Prop(c, "PasswordChar").SetOrd(c, 0xE9);
    EXPECT_EQ(static_cast<unsigned char>(c.FPasswordChar), 0xE9);
    EXPECT_EQ(Prop(c, "PasswordChar").GetOrd(c), 0xE9);  // characters read back unsigned
    Prop(c, "WideChar").SetOrd(c, 0x20AC);
    EXPECT_EQ(c.FWideChar, u'\u20AC');
    // A 32-bit colour takes both readings of its bits.
    Prop(c, "Color").SetOrd(c, -16777201);
    EXPECT_EQ(c.FColor, 0xFF00000Fu);
    Prop(c, "Color").SetOrd(c, 0xFF000005);
    EXPECT_EQ(c.FColor, 0xFF000005u);
}

TEST(ReflectionAccess, OutOfRangeValuesAreRefusedAndLeaveTheValue) {
    TTestForm form;
    TTestControl& c = form.CreateComponent<TTestControl>();
    EXPECT_THROW(Prop(c, "Small").SetOrd(c, 32768), EPropertyError);
    EXPECT_THROW(Prop(c, "Alignment").SetOrd(c, 3), EPropertyError);
    EXPECT_THROW(Prop(c, "Alignment").SetOrd(c, -1), EPropertyError);
    EXPECT_THROW(Prop(c, "Visible").SetOrd(c, 2), EPropertyError);
    EXPECT_THROW(Prop(c, "Anchors").SetOrd(c, 1 << 4), EPropertyError);
    EXPECT_THROW(Prop(c, "Tag").SetOrd(c, 1LL << 33), EPropertyError);
    EXPECT_THROW(Prop(c, "PasswordChar").SetOrd(c, 256), EPropertyError);
    EXPECT_EQ(c.FSmall, 0);
    EXPECT_EQ(c.FAlignment, taLeftJustify);
    EXPECT_EQ(c.FAnchors, (TTestAnchors{akLeft, akTop}));
}

TEST(ReflectionAccess, WrongKindAndReadOnlyAccessFailClearly) {
    TTestForm form;
    TTestControl& c = form.CreateComponent<TTestControl>();
    EXPECT_THROW(Prop(c, "Caption").SetOrd(c, 1), EPropertyError);
    EXPECT_THROW(Prop(c, "Tag").SetStr(c, "x"), EPropertyError);
    EXPECT_THROW(Prop(c, "Caption").SetWideStr(c, u"x"), EPropertyError);
    EXPECT_THROW(Prop(c, "Hint").GetStr(c), EPropertyError);
    const TPropInfo& readOnly = Prop(c, "ReadOnly");
    EXPECT_TRUE(readOnly.HasGetter());
    EXPECT_FALSE(readOnly.HasSetter());
    EXPECT_EQ(readOnly.GetOrd(c), 7);
    try {
        readOnly.SetOrd(c, 1);
        FAIL();
    } catch (const EPropertyError& e) {
        EXPECT_STREQ(e.what(), "Property ReadOnly is read-only");
    }
}

TEST(ReflectionAccess, ObjectPropertiesAnswerSubObjectsAndTakeReferences) {
    TTestForm form;
    TTestControl& a = form.CreateComponent<TTestControl>();
    TTestControl& b = form.CreateComponent<TTestControl>();
    TObject* sub = Prop(a, "Sub").GetObject(a);
    ASSERT_EQ(sub, a.FSub.get());
    EXPECT_EQ(sub->ClassName(), "TTestSub");
    Prop(*sub, "Name").SetStr(*sub, "Tahoma");
    EXPECT_EQ(a.FSub->FName, "Tahoma");

    TTestSub replacement;
    replacement.FName = "Arial";
    Prop(a, "Sub").SetObject(a, &replacement);  // the setter assigns, the object stays
    EXPECT_EQ(a.FSub.get(), sub);
    EXPECT_EQ(a.FSub->FName, "Arial");

    Prop(a, "Buddy").SetObject(a, &b);
    EXPECT_EQ(a.FBuddy, &b);
    Prop(a, "Buddy").SetObject(a, nullptr);
    EXPECT_EQ(a.FBuddy, nullptr);
    // An object of the wrong class is refused, not stored.
    EXPECT_THROW(Prop(a, "Buddy").SetObject(a, &replacement), std::bad_cast);
}

TEST(ReflectionAccess, EventsTakeBoundMethodsOfTheMatchingSignature) {
    TTestForm form;
    TTestControl& c = form.CreateComponent<TTestControl>();
    const TMethodInfo* click = TTestForm::StaticClass().FindMethod("buttonclick");
    ASSERT_NE(click, nullptr);
    EXPECT_FALSE(Prop(c, "OnClick").IsMethodAssigned(c));
    Prop(c, "OnClick").SetMethod(c, click->Bind(form));
    EXPECT_TRUE(Prop(c, "OnClick").IsMethodAssigned(c));
    c.FOnClick(&c);
    EXPECT_EQ(form.Clicks, std::vector<TObject*>{&c});

    const TMethodInfo* key = TTestForm::StaticClass().FindMethod("KeyPress");
    EXPECT_THROW(Prop(c, "OnClick").SetMethod(c, key->Bind(form)), EPropertyError);
    Prop(c, "OnKey").SetMethod(c, key->Bind(form));
    char k = 'a';
    c.FOnKey(&c, k);
    EXPECT_EQ(k, 'b');
    Prop(c, "OnClick").SetMethod(c, std::any());
    EXPECT_FALSE(Prop(c, "OnClick").IsMethodAssigned(c));
}

TEST(ReflectionStoredAndDefault, StoredTestsAndDefaults) {
    TTestForm form;
    TTestControl& c = form.CreateComponent<TTestControl>();
    const TPropInfo& caption = Prop(c, "Caption");
    EXPECT_TRUE(caption.IsStored(c));
    c.FCaption = "stock";
    EXPECT_FALSE(caption.IsStored(c));
    EXPECT_FALSE(Prop(c, "Name").IsStored(c));
    EXPECT_TRUE(Prop(c, "Hint").IsStored(c));

    EXPECT_EQ(Prop(c, "Visible").DefaultValue(), 1);
    EXPECT_TRUE(Prop(c, "Visible").IsDefaultValue(c));
    c.FVisible = false;
    EXPECT_FALSE(Prop(c, "Visible").IsDefaultValue(c));
    EXPECT_EQ(Prop(c, "Anchors").DefaultValue(), (TTestAnchors{akLeft, akTop}.Bits()));
    EXPECT_TRUE(Prop(c, "Anchors").IsDefaultValue(c));
    EXPECT_FALSE(Prop(c, "Small").DefaultValue().has_value());
    EXPECT_FALSE(Prop(c, "Small").IsDefaultValue(c));  // no default: always written
    EXPECT_TRUE(Prop(c, "Hint").IsDefaultValue(c));    // empty string
    EXPECT_TRUE(Prop(c, "OnClick").IsDefaultValue(c));
}

TEST(ReflectionEnums, NamesAndLookupIgnoringCase) {
    const TEnumInfo& info = GetEnumInfo(taCenter);
    EXPECT_EQ(info.Count(), 3);
    EXPECT_EQ(info.NameOf(2), "taCenter");
    EXPECT_EQ(info.NameOf(7), "7");
    EXPECT_EQ(info.ValueOf("TACENTER"), 2);
    EXPECT_FALSE(info.ValueOf("taMiddle").has_value());
    EXPECT_EQ(GetEnumInfo(true).ValueOf("false"), 0);
}

TEST(ReflectionRegistry, CreatesComponentsByClassNameIgnoringCase) {
    TClassRegistry registry;
    registry.RegisterClass(TTestControl::StaticClass());
    registry.RegisterClass(TTestControl::StaticClass());  // twice is harmless
    EXPECT_EQ(registry.Count(), 1);
    EXPECT_EQ(registry.FindClass("ttestcontrol"), &TTestControl::StaticClass());
    EXPECT_EQ(registry.FindClass("TTestPanel"), nullptr);

    TTestForm form;
    std::unique_ptr<TComponent> created = registry.CreateComponent("TTESTCONTROL", &form);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->ClassName(), "TTestControl");
    EXPECT_EQ(created->Owner(), &form);  // remembered, not yet inserted
    EXPECT_EQ(form.ComponentCount(), 0);

    try {
        registry.CreateComponent("TButton", &form);
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_STREQ(e.what(), "Class TButton not found");
    }
    // Not a component class: not creatable by name.
    registry.RegisterClass(TTestSub::StaticClass());
    EXPECT_THROW(registry.CreateComponent("TTestSub", &form), EClassNotFound);

    static const TClassInfo impostor("TTestControl", &TComponent::StaticClass(), {});
    EXPECT_THROW(registry.RegisterClass(impostor), EComponentError);
    registry.UnregisterClass(TTestControl::StaticClass());
    EXPECT_EQ(registry.FindClass("TTestControl"), nullptr);
}

TEST(ReflectionRegistry, FieldsAndMethodsAreFoundInTheFormClass) {
    const TFieldInfo* field = TTestForm::StaticClass().FindField("BUTTON1");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(&field->FieldClass(), &TTestControl::StaticClass());
    EXPECT_EQ(TTestForm::StaticClass().FindMethod("Missing"), nullptr);
}

TEST(ReflectionFont, FontSubObjectIsNamedTFontAndReachesTheGraphicsFont) {
    TPersistentFont font;
    EXPECT_EQ(font.ClassName(), "TFont");
    const TClassInfo& info = font.ClassType();
    info.FindProperty("Name")->SetStr(font, "Tahoma");
    info.FindProperty("Height")->SetOrd(font, -11);
    info.FindProperty("Style")->SetOrd(font, TSet<TFontStyle>{fsBold, fsUnderline}.Bits());
    info.FindProperty("Color")->SetOrd(font, *info.FindProperty("Color")->IdentToOrd("clYellow"));
    EXPECT_EQ(font.Font().Name(), "Tahoma");
    EXPECT_EQ(font.Font().Height(), -11);
    EXPECT_TRUE(font.Font().Style().Contains(fsBold));
    EXPECT_TRUE(font.Font().Style().Contains(fsUnderline));
    EXPECT_FALSE(font.Font().Style().Contains(fsItalic));
    EXPECT_EQ(font.Font().Color(), 0x00FFFFu);
    EXPECT_FALSE(info.FindProperty("Size")->IsStored(font));
    EXPECT_EQ(info.FindProperty("Charset")->IdentToOrd("DEFAULT_CHARSET"), 1);

    TPersistentFont copy;
    copy.Assign(font);
    EXPECT_TRUE(copy.Font().SameAs(font.Font()));
    TTestSub other;
    EXPECT_THROW(copy.Assign(other), EConvertError);
}
