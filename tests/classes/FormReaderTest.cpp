#include "TestComponents.h"

#include "classes/ClassRegistry.h"
#include "classes/Errors.h"
#include "classes/FormParser.h"
#include "classes/FormReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const SampleForm =
    "object frmSample: TTestForm\r\n"                                   // 1
    "  Caption = 'It''s '#13#10'two'#$21 +\r\n"                          // 2
    "    ' joined'\r\n"                                                 // 3
    "  Tag = -7\r\n"                                                    // 4
    "  object Button1: TTestControl\r\n"                                // 5
    "    Caption = 'Espa'#241'ol'\r\n"                                  // 6
    "    Hint = 'caf\xE9 '#8364\r\n"                                    // 7
    "    Short = 'short'\r\n"                                           // 8
    "    Small = $7FFF\r\n"                                             // 9
    "    Big = 1099511627776\r\n"                                       // 10
    "    Color = clYellow\r\n"                                          // 11
    "    Alignment = taCenter\r\n"                                      // 12
    "    Anchors = [akRight, akBottom]\r\n"                             // 13
    "    Visible = False\r\n"                                           // 14
    "    PasswordChar = '*'\r\n"                                        // 15
    "    WideChar = #8364\r\n"                                          // 16
    "    Sub.Name = 'Tahoma'\r\n"                                       // 17
    "    Sub.Size = 11\r\n"                                             // 18
    "    Buddy = Panel1\r\n"                                            // 19
    "    Lines.Strings = (\r\n"                                         // 20
    "      'first'\r\n"                                                 // 21
    "      'second')\r\n"                                               // 22
    "    WideLines = ('w'#1040)\r\n"                                    // 23
    "    Items = <\r\n"                                                 // 24
    "      item\r\n"                                                    // 25
    "        Caption = 'one'\r\n"                                       // 26
    "        Width = 10\r\n"                                            // 27
    "      end\r\n"                                                     // 28
    "      item\r\n"                                                    // 29
    "        Buddy = Button1\r\n"                                       // 30
    "      end>\r\n"                                                    // 31
    "    Data = {\r\n"                                                  // 32
    "      0A00FF\r\n"                                                  // 33
    "      7f}\r\n"                                                     // 34
    "    OnClick = ButtonClick\r\n"                                     // 35
    "    OnKey = KeyPress\r\n"                                          // 36
    "  end\r\n"                                                         // 37
    "  object Panel1: TTestPanel\r\n"                                   // 38
    "    Border = 3\r\n"                                                // 39
    "    object Inner: TTestControl\r\n"                                // 40
    "      Caption = 'inner'\r\n"                                       // 41
    "    end\r\n"                                                       // 42
    "  end\r\n"                                                         // 43
    "end\r\n";

void ReadInto(TComponent& root, const std::string& text) {
    TFormReader reader(TestClasses(), "TFRM_TEST");
    reader.Read(root, text);
}

// The message of the EFilerError that reading text raises, or "" when it reads.
std::string ReadError(const std::string& text) {
    TTestForm form;
    try {
        ReadInto(form, text);
    } catch (const EFilerError& e) {
        EXPECT_EQ(form.ComponentCount(), 0) << "a failed read leaves no components behind";
        EXPECT_EQ(form.Button1, nullptr);
        EXPECT_FALSE(form.ComponentState().Contains(csLoading));
        return e.what();
    }
    return "";
}

std::string Form(const std::string& body) { return "object frm: TTestForm\n" + body + "end\n"; }

}  // namespace

TEST(FormReaderValues, EveryValueKindReachesItsProperty) {
    TTestForm form;
    ReadInto(form, SampleForm);
    EXPECT_EQ(form.Name(), "frmSample");
    EXPECT_EQ(form.FCaption, "It's \r\ntwo! joined");
    EXPECT_EQ(form.Tag(), -7);

    ASSERT_NE(form.Button1, nullptr);
    TTestControl& b = *form.Button1;
    EXPECT_EQ(b.Name(), "Button1");
    EXPECT_EQ(b.FCaption, "Espa\xF1ol");          // #241 is U+00F1, 0xF1 in the ANSI code page
    EXPECT_EQ(b.FHint, u"caf\u00E9 \u20AC");      // quoted 8-bit text widened, #8364 the euro sign
    EXPECT_EQ(b.FShort, "short");
    EXPECT_EQ(b.FSmall, 0x7FFF);
    EXPECT_EQ(b.FBig, 1099511627776LL);
    EXPECT_EQ(b.FColor, 0x00FFFFu);
    EXPECT_EQ(b.FAlignment, taCenter);
    EXPECT_EQ(b.FAnchors, (TTestAnchors{akRight, akBottom}));
    EXPECT_FALSE(b.FVisible);
    EXPECT_EQ(b.FPasswordChar, '*');
    EXPECT_EQ(b.FWideChar, u'\u20AC');
    EXPECT_EQ(b.FSub->FName, "Tahoma");
    EXPECT_EQ(b.FSub->FSize, 11);
    EXPECT_EQ(b.FLines->ToVector(), (std::vector<std::string>{"first", "second"}));
    ASSERT_EQ(b.FWideLines->Count(), 1);
    EXPECT_EQ(b.FWideLines->Get(0), u"w\u0410");
    EXPECT_EQ(b.FData, (std::vector<std::uint8_t>{0x0A, 0x00, 0xFF, 0x7F}));

    ASSERT_EQ(b.FItems->Count(), 2);
    auto& item0 = dynamic_cast<TTestItem&>(b.FItems->Items(0));
    auto& item1 = dynamic_cast<TTestItem&>(b.FItems->Items(1));
    EXPECT_EQ(item0.FCaption, "one");
    EXPECT_EQ(item0.FWidth, 10);
    EXPECT_EQ(item1.FBuddy, &b);

    TComponent* panel = form.FindComponent("panel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->ClassName(), "TTestPanel");
    EXPECT_EQ(dynamic_cast<TTestPanel&>(*panel).FBorder, 3);
    EXPECT_EQ(b.FBuddy, panel);  // a reference to a component read later
}

TEST(FormReaderStructure, NestedObjectsAreOwnedByTheRootAndParentedByTheEnclosingObject) {
    TTestForm form;
    ReadInto(form, SampleForm);
    ASSERT_EQ(form.ComponentCount(), 3);
    EXPECT_EQ(form.Components(0)->Name(), "Button1");
    EXPECT_EQ(form.Components(1)->Name(), "Panel1");
    EXPECT_EQ(form.Components(2)->Name(), "Inner");
    auto* inner = dynamic_cast<TTestControl*>(form.Components(2));
    EXPECT_EQ(inner->Owner(), &form);
    EXPECT_EQ(inner->GetParentComponent(), form.Components(1));
    EXPECT_EQ(form.Button1->GetParentComponent(), &form);
}

TEST(FormReaderEvents, HandlersAreBoundToTheRootsMethods) {
    TTestForm form;
    ReadInto(form, SampleForm);
    ASSERT_TRUE(form.Button1->FOnClick);
    form.Button1->FOnClick(form.Button1);
    EXPECT_EQ(form.Clicks, std::vector<TObject*>{form.Button1});
    char key = 'x';
    form.Button1->FOnKey(form.Button1, key);
    EXPECT_EQ(key, 'y');
}

TEST(FormReaderLoading, FlagsAreSetWhileReadingAndLoadedRunsInCreationOrder) {
    TTestForm form;
    ReadInto(form, SampleForm);
    TTestControl& b = *form.Button1;
    EXPECT_TRUE(b.FStateWhenCaptionSet.Contains(csLoading));
    EXPECT_TRUE(b.FStateWhenCaptionSet.Contains(csReading));
    EXPECT_FALSE(b.FStateWhenCaptionSet.Contains(csDesigning));
    EXPECT_TRUE(b.ComponentState().Empty());
    EXPECT_TRUE(form.ComponentState().Empty());
    EXPECT_EQ(form.Log, (std::vector<std::string>{"loaded frmSample", "loaded Button1", "loaded Panel1", "loaded Inner"}));
}

TEST(FormReaderLoading, LaterAssignmentsWinAndSubObjectPathsAreCaseInsensitive) {
    TTestForm form;
    ReadInto(form, Form("object b: TTestControl\n"
                        "  caption = 'a'\n  CAPTION = 'b'\n  SUB.name = 'x'\n  Lines = ('1')\n  Lines = ('2' '3')\n"
                        "  Visible = true\nend\n"));
    auto& b = dynamic_cast<TTestControl&>(*form.FindComponent("b"));
    EXPECT_EQ(b.FCaption, "b");
    EXPECT_EQ(b.FCaptionSets, 2);
    EXPECT_EQ(b.FSub->FName, "x");
    EXPECT_EQ(b.FLines->ToVector(), (std::vector<std::string>{"2", "3"}));
    EXPECT_TRUE(b.FVisible);
}

TEST(FormReaderLoading, UnnamedObjectsInheritedKeywordAndEmptyContainers) {
    TTestForm form;
    ReadInto(form, "inherited frm: TTestForm\n object TTestControl\n  Items = <>\n  Lines.Strings = ()\n"
                   "  Anchors = []\n  Data = {}\n  Buddy = nil\n  OnClick = nil\n end\nend");
    ASSERT_EQ(form.ComponentCount(), 1);
    auto& c = dynamic_cast<TTestControl&>(*form.Components(0));
    EXPECT_EQ(c.Name(), "");
    EXPECT_TRUE(c.FAnchors.Empty());
    EXPECT_EQ(c.FItems->Count(), 0);
}

TEST(FormReaderLoading, AResourceThatDoesNotExistIsReported) {
    TTestForm form;
    EXPECT_THROW(TFormReader::ReadResource(form, "NO_SUCH_FORM_DEFINITION", TestClasses()), EResNotFound);
}

TEST(FormReaderErrors, MessagesNameTheResourceTheLineAndTheProperty) {
    EXPECT_EQ(ReadError(Form("object b: TTestButton\nend\n")),
              "Error reading TFRM_TEST line 2: b: Class TTestButton not found");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Caption = 'x'\n Colour = 5\nend\n")),
              "Error reading TFRM_TEST line 4: b.Colour: Property Colour does not exist");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Sub.Height = 5\nend\n")),
              "Error reading TFRM_TEST line 3: b.Sub.Height: Property Height does not exist");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Caption.Name = 'x'\nend\n")),
              "Error reading TFRM_TEST line 3: b.Caption.Name: Property Caption is not an object");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Caption = 12\nend\n")),
              "Error reading TFRM_TEST line 3: b.Caption: Invalid property value: an integer where string is expected");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Small = 'x'\nend\n")),
              "Error reading TFRM_TEST line 3: b.Small: Invalid property value: a string where integer is expected");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n OnClick = ButtonClik\nend\n")),
              "Error reading TFRM_TEST line 3: b.OnClick: Method ButtonClik not found in TTestForm");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n OnClick = KeyPress\nend\n")),
              "Error reading TFRM_TEST line 3: b.OnClick: Method KeyPress does not match event OnClick");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Alignment = taMiddle\nend\n")),
              "Error reading TFRM_TEST line 3: b.Alignment: Invalid property value taMiddle");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Anchors = [akLeft, akUp]\nend\n")),
              "Error reading TFRM_TEST line 3: b.Anchors: Invalid property value akUp");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Small = 40000\nend\n")),
              "Error reading TFRM_TEST line 3: b.Small: Value 40000 out of range for property Small");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Buddy = Nobody\nend\n")),
              "Error reading TFRM_TEST line 3: b.Buddy: Unresolved reference to Nobody");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Buddy = frm\nend\n")),
              "Error reading TFRM_TEST line 3: b.Buddy: frm is a TTestForm, not a TTestControl");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n ReadOnly = 3\nend\n")),
              "Error reading TFRM_TEST line 3: b.ReadOnly: Property ReadOnly is read-only");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Data = 5\nend\n")),
              "Error reading TFRM_TEST line 3: b.Data: Invalid property value: an integer where binary data is expected");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Lines = ('a' 5)\nend\n")),
              "Error reading TFRM_TEST line 3: b.Lines: a list of strings is expected");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\nend\nobject B: TTestControl\nend\n")),
              "Error reading TFRM_TEST line 4: B: A component named B already exists");
    EXPECT_EQ(ReadError(Form("object 9: TTestControl\nend\n")).substr(0, 30), "Error reading TFRM_TEST line 2");
    EXPECT_EQ(ReadError("object frm: TTestControl\nend\n"),
              "Error reading TFRM_TEST line 1: a definition of class TTestControl cannot be read into a TTestForm");
    EXPECT_EQ(ReadError(Form("object b: TTestControl\n Items = < item Width = 'w' end >\nend\n")),
              "Error reading TFRM_TEST line 3: b.Items[0].Width: Invalid property value: a string where integer is expected");
}

TEST(FormReaderErrors, MalformedTextIsReportedWithItsLine) {
    EXPECT_EQ(ReadError(Form(" Caption = 'open\n")), "Error reading TFRM_TEST line 2: unterminated string");
    EXPECT_EQ(ReadError(Form(" Caption = #\n")), "Error reading TFRM_TEST line 2: character code expected after '#'");
    EXPECT_EQ(ReadError(Form(" Caption = #65536\n")), "Error reading TFRM_TEST line 2: character code out of range");
    EXPECT_EQ(ReadError(Form(" Caption = 'a' +\n 5\n")), "Error reading TFRM_TEST line 3: string expected but a number found");
    EXPECT_EQ(ReadError(Form(" Tag = 99999999999999999999\n")), "Error reading TFRM_TEST line 2: number out of range");
    EXPECT_EQ(ReadError(Form(" Tag = $\n")), "Error reading TFRM_TEST line 2: hexadecimal digits expected after '$'");
    EXPECT_EQ(ReadError(Form(" object b: TTestControl\n  Data = {\n 0A0\n }\n end\n")),
              "Error reading TFRM_TEST line 5: odd number of hexadecimal digits in binary data");
    EXPECT_EQ(ReadError(Form(" object b: TTestControl\n  Data = { 0G }\n end\n")),
              "Error reading TFRM_TEST line 3: invalid character in binary data");
    EXPECT_EQ(ReadError(Form(" Caption 'x'\n")), "Error reading TFRM_TEST line 2: '=' expected but a string found");
    EXPECT_EQ(ReadError(Form(" Caption = \x01\n")), "Error reading TFRM_TEST line 2: invalid character (code 1)");
    EXPECT_EQ(ReadError("object frm: TTestForm\n Tag = 1\n"),
              "Error reading TFRM_TEST line 3: property name or 'end' expected but the end of the text found");
    EXPECT_EQ(ReadError("object frm: TTestForm\nend\nend\n"),
              "Error reading TFRM_TEST line 3: end of text expected but 'end' found");
    EXPECT_EQ(ReadError(""), "Error reading TFRM_TEST line 1: 'object' expected but the end of the text found");
    EXPECT_EQ(ReadError(Form(" object b: TTestControl\n Items = < Caption = 'x' >\n end\n")),
              "Error reading TFRM_TEST line 3: 'item' or '>' expected but 'Caption' found");
    // Lone CR line ends count as well.
    EXPECT_EQ(ReadError("object frm: TTestForm\r\r Colour = 1\rend\r"),
              "Error reading TFRM_TEST line 3: frm.Colour: Property Colour does not exist");
}

TEST(FormReaderErrors, EveryTruncationOfAValidTextFailsCleanly) {
    const std::string text = SampleForm;
    // Up to the last "end" every cut leaves the text incomplete; past it only the line end is missing.
    for (std::size_t length = 0; length < text.rfind("end") + 3; ++length) {
        const std::string prefix = text.substr(0, length);
        TTestForm form;
        try {
            ReadInto(form, prefix);
            ADD_FAILURE() << "a text cut at " << length << " was accepted";
        } catch (const EFilerError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Error reading TFRM_TEST line ", 0), 0u) << e.what();
            EXPECT_EQ(form.ComponentCount(), 0);
            EXPECT_EQ(form.Button1, nullptr);
        }
    }
}

TEST(FormReaderErrors, DeepNestingIsRefusedNotOverflowingTheStack) {
    std::string text = "object frm: TTestForm\n";
    for (int i = 0; i < 5000; ++i) text += "object TTestControl\n";
    EXPECT_NE(ReadError(text).find("nesting too deep"), std::string::npos);
    std::string lists = Form(" Tag = " + std::string(5000, '(') + "\n");
    EXPECT_NE(ReadError(lists).find("nesting too deep"), std::string::npos);
}

TEST(FormReaderErrors, AReadThatFailsLateUndoesItsComponents) {
    TTestForm form;
    try {
        ReadInto(form, Form("object Button1: TTestControl\nend\nobject b: TTestControl\n OnClick = Missing\nend\n"));
        FAIL();
    } catch (const EFilerError&) {
    }
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(form.Button1, nullptr);  // the field does not point at a destroyed component
    std::vector<std::string> destroyed;
    for (const std::string& line : form.Log)
        if (line.rfind("destroy", 0) == 0) destroyed.push_back(line);
    EXPECT_EQ(destroyed, (std::vector<std::string>{"destroy b", "destroy Button1"}));
    // The same root reads a good text afterwards.
    ReadInto(form, SampleForm);
    EXPECT_EQ(form.ComponentCount(), 3);
}

TEST(FormParser, TreeKeepsOrderAndLines) {
    TFormParser parser("object a: TA\n x = 1.5\n y = -$10\n object b: TB\n end\nend", "T");
    const TFormObject root = parser.Parse();
    EXPECT_EQ(root.Name, "a");
    EXPECT_EQ(root.ClassName, "TA");
    ASSERT_EQ(root.Properties.size(), 2u);
    EXPECT_EQ(root.Properties[0].Value.Kind, fvFloat);
    EXPECT_DOUBLE_EQ(root.Properties[0].Value.Float, 1.5);
    EXPECT_EQ(root.Properties[1].Value.Integer, -16);
    EXPECT_EQ(root.Properties[1].Line, 3);
    ASSERT_EQ(root.Children.size(), 1u);
    EXPECT_EQ(root.Children[0].Line, 4);
}
