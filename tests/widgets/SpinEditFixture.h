#pragma once

// A memory display with an application and a form holding the dialog's spin edit (46 x 22 at
// 19, 20: MaxLength 3, range 10 to 999, value 10, bold Tahoma) beside another focusable control.

#include "widgets/SpinEdit.h"

#include "ui/Application.h"
#include "ui/Edit.h"
#include "ui/Form.h"

#include "platform/memory/MemoryDisplay.h"

#include <cctype>
#include <string>

class TSpinEditFixture {
public:
    static constexpr int FormLeft = 60;
    static constexpr int FormTop = 40;
    // Form coordinates of the middle of the two arrows.
    static constexpr int UpX = 19 + 28 + 7, UpY = 20 + 2 + 3;
    static constexpr int DownX = UpX, DownY = 20 + 2 + 12;

    TSpinEditFixture() : Display(640, 480), App(Display) {
        Form = &App.CreateForm<TForm>();
        Form->SetBounds(FormLeft, FormTop, 300, 200);
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

    void ShowForm() {
        Form->Show();
        App.ProcessMessages();
    }
    void MoveTo(int x, int y) {
        Display.InjectMouseMove(FormLeft + x, FormTop + y);
        App.ProcessMessages();
    }
    void Press() {
        Display.InjectButton(mbLeft, true);
        App.ProcessMessages();
    }
    void Release() {
        Display.InjectButton(mbLeft, false);
        App.ProcessMessages();
    }
    void ClickAt(int x, int y) {
        MoveTo(x, y);
        Press();
        Release();
    }
    void Key(std::uint16_t key, unsigned char ch = 0, TShiftState shift = 0) {
        Display.InjectKey(key, ch, true, shift);
        Display.InjectKey(key, 0, false, shift);
        App.ProcessMessages();
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
    std::uint32_t Pixel(int x, int y) { return Display.WindowPixel(Form->Handle(), x, y); }

    TMemoryDisplay Display;
    TApplication App;
    TForm* Form = nullptr;
    TEdit* Other = nullptr;
    TSpinEdit* Spin = nullptr;
    int Changes = 0;
};
