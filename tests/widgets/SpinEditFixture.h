#pragma once

// A memory display with an application and a form holding the dialog's spin edit (46 x 22 at
// 19, 20: MaxLength 3, range 10 to 999, value 10, bold Tahoma) beside another focusable control.

#include "widgets/SpinEdit.h"

#include "ui/Edit.h"
#include "ui/FormTestSupport.h"

#include <cctype>
#include <string>

class TSpinEditFixture : public TMemoryFormFixture<60, 40, 300, 200> {
public:
    // Form coordinates of the middle of the two arrows.
    static constexpr int UpX = 19 + 28 + 7, UpY = 20 + 2 + 3;
    static constexpr int DownX = UpX, DownY = 20 + 2 + 12;

    TSpinEditFixture() {
        Other = &Form->CreateComponent<TEdit>();
        Other->SetParent(Form);
        Other->SetBounds(100, 100, 80, 21);
        Spin = &Form->CreateComponent<TSpinEdit>();
        Spin->SetParent(Form);
        Spin->SetBounds(19, 20, 46, 22);
        Spin->Font().SetName("Tahoma");
        Spin->Font().SetHeight(-11);
        Spin->Font().SetStyle(TFontStyles{fsBold});
        Spin->SetMaxLength(3);
        Spin->SetMaxValue(999);
        Spin->SetMinValue(10);
        Spin->SetValue(10);
        Spin->SetOnChange([this](TObject*) { ++Changes; });
    }

    void Type(const std::string& text) {
        for (char c : text) Key(static_cast<std::uint16_t>(std::toupper(static_cast<unsigned char>(c))), static_cast<unsigned char>(c));
    }
    // Focus in the spin edit by the keyboard (AutoSelect selects the text).
    void FocusSpin() {
        Other->SetFocus();
        App.ProcessMessages();
        Key(vkTab);
    }
    // Focus out of the spin edit.
    void LeaveSpin() {
        Other->SetFocus();
        App.ProcessMessages();
    }
    TEdit* Other = nullptr;
    TSpinEdit* Spin = nullptr;
    int Changes = 0;
};
