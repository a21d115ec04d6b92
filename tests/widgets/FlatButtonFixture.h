#pragma once

// A memory display with an application and one shown form holding flat buttons, with
// injected input in form client coordinates.

#include "widgets/FlatButton.h"
#include "widgets/FlatRadioButton.h"

#include "ui/FormTestSupport.h"

#include <cstdint>

class TFlatButtonFixture : public TMemoryFormFixture<60, 40, 300, 200> {
public:
    TFlatButtonFixture() { Form->SetColor(0x00C8A064); }

    template <class T>
    T& Add(int left, int top, int width = 75, int height = 25, TWinControl* parent = nullptr) {
        T& control = Form->CreateComponent<T>();
        control.SetParent(parent ? parent : Form);
        control.SetBounds(left, top, width, height);
        return control;
    }

    void KeyDown(std::uint16_t key, unsigned char ch = 0, TShiftState shift = 0) {
        Display.InjectKey(key, ch, true, shift);
        App.ProcessMessages();
    }
    void KeyUp(std::uint16_t key, TShiftState shift = 0) {
        Display.InjectKey(key, 0, false, shift);
        App.ProcessMessages();
    }
    // Unlike the form fixture's Key, the messages of the key down are handled before the key goes up.
    void Key(std::uint16_t key, unsigned char ch = 0, TShiftState shift = 0) {
        KeyDown(key, ch, shift);
        KeyUp(key, shift);
    }
};
