#pragma once

// A memory display with an application and one shown form holding flat buttons, with
// injected input in form client coordinates.

#include "widgets/FlatButton.h"
#include "widgets/FlatRadioButton.h"

#include "ui/Application.h"
#include "ui/Form.h"

#include "platform/memory/MemoryDisplay.h"

#include <cstdint>

class TFlatButtonFixture {
public:
    static constexpr int FormLeft = 60;
    static constexpr int FormTop = 40;

    TFlatButtonFixture() : Display(640, 480), App(Display) {
        Form = &App.CreateForm<TForm>();
        Form->SetBounds(FormLeft, FormTop, 300, 200);
        Form->SetColor(0x00C8A064);
    }

    template <class T>
    T& Add(int left, int top, int width = 75, int height = 25, TWinControl* parent = nullptr) {
        T& control = Form->CreateComponent<T>();
        control.SetParent(parent ? parent : Form);
        control.SetBounds(left, top, width, height);
        return control;
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
    void KeyDown(std::uint16_t key, unsigned char ch = 0, TShiftState shift = 0) {
        Display.InjectKey(key, ch, true, shift);
        App.ProcessMessages();
    }
    void KeyUp(std::uint16_t key, TShiftState shift = 0) {
        Display.InjectKey(key, 0, false, shift);
        App.ProcessMessages();
    }
    void Key(std::uint16_t key, unsigned char ch = 0, TShiftState shift = 0) {
        KeyDown(key, ch, shift);
        KeyUp(key, shift);
    }
    std::uint32_t Pixel(int x, int y) { return Display.WindowPixel(Form->Handle(), x, y); }

    TMemoryDisplay Display;
    TApplication App;
    TForm* Form = nullptr;
};
