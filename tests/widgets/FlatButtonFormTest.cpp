#include "FlatButtonFixture.h"

#include "widgets/Label3D.h"

#include "classes/ClassInfo.h"
#include "classes/ClassRegistry.h"
#include "ui/FrameworkClasses.h"
#include "classes/Published.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char* const Definition =
    "object frmButtons: TFlatButtonsForm\n"
    "  ClientHeight = 360\n"
    "  ClientWidth = 450\n"
    "  object btnCancel: TFlatButton\n"
    "    Left = 375\n"
    "    Top = 328\n"
    "    Width = 75\n"
    "    Height = 25\n"
    "    Caption = '&Cancel'\n"
    "    Color = 7946240\n"
    "    Cancel = True\n"
    "    ModalResult = 2\n"
    "    TabOrder = 1\n"
    "    OnClick = btnCancelClick\n"
    "    OnPaint = prButtonsPainting\n"
    "  end\n"
    "  object radEnlish: TFlatRadioButton\n"
    "    Left = 71\n"
    "    Top = 32\n"
    "    Width = 58\n"
    "    Height = 17\n"
    "    BlankColor = clWhite\n"
    "    MarkColor = clNavy\n"
    "    Checked = True\n"
    "    Caption = 'English'\n"
    "  end\n"
    "  object radSpanish: TFlatRadioButton\n"
    "    Left = 71\n"
    "    Top = 96\n"
    "    Width = 62\n"
    "    Height = 17\n"
    "    Caption = 'Espa'#241'ol'\n"
    "  end\n"
    "  object Label3D1: TLabel3D\n"
    "    Left = 156\n"
    "    Top = 27\n"
    "    Width = 133\n"
    "    Height = 22\n"
    "    Alignment = taCenter\n"
    "    Caption = 'Veltrane'\n"
    "    Font.Charset = DEFAULT_CHARSET\n"
    "    Font.Color = 4103935\n"
    "    Font.Height = -19\n"
    "    Font.Name = 'Arial'\n"
    "    Font.Style = [fsBold]\n"
    "    ParentFont = False\n"
    "    Transparent = True\n"
    "    TextStyle = tsRaised\n"
    "    Shift = 1\n"
    "  end\n"
    "end\n";

class TFlatButtonsForm : public TForm {
public:
    VELTRANE_CLASS_INFO
    explicit TFlatButtonsForm(TComponent* owner) : TForm(owner) {
        TClassRegistry classes;
        RegisterFrameworkClasses(classes);
        RegisterFlatButtons(classes);
        RegisterLabel3D(classes);
        ReadFormText(Definition, classes, "TFRMBUTTONS");
    }
    void btnCancelClick(TObject*) { ++Clicks; }
    void prButtonsPainting(TObject*, bool& cont) {
        ++Paints;
        cont = true;
    }
    int Clicks = 0;
    int Paints = 0;
};

const TClassInfo& TFlatButtonsForm::StaticClass() {
    using T = TFlatButtonsForm;
    static const TClassInfo info = MakeClass<T, TForm>("TFlatButtonsForm", {},
        {
            PublishedMethod("btnCancelClick", &T::btnCancelClick),
            PublishedMethod("prButtonsPainting", &T::prButtonsPainting),
        });
    return info;
}

std::vector<std::string> Names(const TClassInfo& info) {
    std::vector<std::string> names;
    for (const TPropInfo& p : info.Properties()) names.push_back(p.Name());
    return names;
}

void ExpectInOrder(const TClassInfo& info, const std::vector<std::string>& order) {
    const std::vector<std::string> names = Names(info);
    auto at = [&](const std::string& name) { return std::find(names.begin(), names.end(), name) - names.begin(); };
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_LT(at(order[i]), static_cast<long>(names.size())) << order[i] << " is published";
        if (i > 0) {
            EXPECT_LT(at(order[i - 1]), at(order[i])) << order[i];
        }
    }
}

} // namespace

TEST(FlatButtonClasses, PublishTheirPropertiesInOrder) {
    ExpectInOrder(TFlatButton::StaticClass(), {"CustomProperty", "Spacing", "Layout", "FocusStyle", "BorderColor",
                                               "GlyphIndex", "Glyph", "State", "GroupIndex", "AutoSize", "Cancel",
                                               "Default", "ModalResult", "OnPaint"});
    ExpectInOrder(TFlatRadioButton::StaticClass(), {"CustomProperty", "BlankColor", "MarkColor", "Checked", "Spacing",
                                                    "Layout", "BorderColor", "GlyphIndex", "Glyph", "AutoSize",
                                                    "OnPaint"});
    const TClassInfo& radio = TFlatRadioButton::StaticClass();
    for (const char* hidden : {"State", "FocusStyle", "GroupIndex", "Cancel", "Default", "ModalResult"})
        EXPECT_EQ(radio.FindProperty(hidden), nullptr) << hidden;
}

TEST(FlatButtonClasses, FormDefinitionCreatesAndWiresThem) {
    TMemoryDisplay display(640, 480);
    TApplication app(display);
    TFlatButtonsForm& form = app.CreateForm<TFlatButtonsForm>();
    auto* cancel = dynamic_cast<TFlatButton*>(form.FindComponent("btnCancel"));
    auto* english = dynamic_cast<TFlatRadioButton*>(form.FindComponent("radEnlish"));
    auto* spanish = dynamic_cast<TFlatRadioButton*>(form.FindComponent("radSpanish"));
    ASSERT_TRUE(cancel && english && spanish);
    EXPECT_EQ(cancel->Caption(), "&Cancel");
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(cancel->ModalResult(), mrCancel);
    EXPECT_EQ(cancel->Color(), 0x00794000u);
    EXPECT_TRUE(english->GetChecked());
    EXPECT_TRUE(english->TabStop());
    EXPECT_FALSE(spanish->GetChecked());
    EXPECT_EQ(english->MarkColor(), clNavy);
    EXPECT_EQ(spanish->Caption(), "Espa\xF1ol");

    form.Show();
    app.ProcessMessages();
    EXPECT_GT(form.Paints, 0);
    display.InjectKey(vkEscape, 27, true);
    display.InjectKey(vkEscape, 0, false);
    app.ProcessMessages();
    EXPECT_EQ(form.Clicks, 1);
    EXPECT_EQ(form.ModalResult(), mrCancel);

    // The product label sizes itself to its caption once the definition is read.
    auto* product = dynamic_cast<TLabel3D*>(form.FindComponent("Label3D1"));
    ASSERT_NE(product, nullptr);
    const TSize text = TTextRenderer::TextExtent(product->Font(), "Veltrane");
    EXPECT_EQ(product->Width(), text.cx);
    EXPECT_EQ(product->Height(), text.cy);
    EXPECT_EQ(product->Left(), 156);
    EXPECT_TRUE(product->Transparent());
    EXPECT_EQ(product->Alignment(), taCenter);
    EXPECT_EQ(product->Font().Color(), 0x003E9EFFu);

    spanish->Click();
    EXPECT_FALSE(english->GetChecked());
    EXPECT_FALSE(english->TabStop());
}
