#pragma once

// A memory display with an application object, and controls that log what reaches them.

#include "ui/Application.h"
#include "ui/CustomControl.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"

#include "gfx/Canvas.h"
#include "platform/memory/MemoryDisplay.h"

#include <memory>
#include <string>
#include <vector>

using TLog = std::vector<std::string>;

// A windowed control that logs its events (prefixed with its name) and paints itself in Color.
class TLogControl : public TCustomControl {
public:
    TLogControl(TComponent* owner, TLog* log, const std::string& name) : TCustomControl(owner), FLog(log) {
        SetName(name);
        FTabStop = true;
    }

    bool WantArrows = false;
    bool WantCharacters = false;
    bool TakeDialogKeys = false;
    char Accelerator = 0;
    int Paints = 0;

    bool WantsKey(std::uint16_t key, TShiftState) const override {
        return WantArrows && (key == vkLeft || key == vkRight || key == vkUp || key == vkDown);
    }
    bool WantsChars() const override { return WantCharacters; }

protected:
    void Add(const std::string& line) { if (FLog) FLog->push_back(Name() + "." + line); }
    void Paint() override { ++Paints; }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
        Add("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) + ((s & ssDouble) ? " double" : ""));
        TCustomControl::MouseDown(b, s, x, y);
    }
    void MouseMove(TShiftState s, int x, int y) override {
        Add("move " + std::to_string(x) + "," + std::to_string(y));
        TCustomControl::MouseMove(s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
        Add("up " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
        TCustomControl::MouseUp(b, s, x, y);
    }
    void MouseEnter() override { Add("enter"); }
    void MouseLeave() override { Add("leave"); }
    void Click() override { Add("click"); TCustomControl::Click(); }
    void KeyDown(std::uint16_t& key, TShiftState s) override { Add("keydown " + std::to_string(key)); TCustomControl::KeyDown(key, s); }
    void KeyPress(char& key) override { Add(std::string("keypress ") + key); TCustomControl::KeyPress(key); }
    void KeyUp(std::uint16_t& key, TShiftState s) override { Add("keyup " + std::to_string(key)); TCustomControl::KeyUp(key, s); }
    void DoEnter() override { Add("doenter"); TCustomControl::DoEnter(); }
    void DoExit() override { Add("doexit"); TCustomControl::DoExit(); }
    bool DialogKey(std::uint16_t key, TShiftState) override { Add("dialogkey " + std::to_string(key)); return TakeDialogKeys; }
    bool DialogChar(char ch) override {
        if (Accelerator == 0 || ch != Accelerator) return false;
        Add(std::string("dialogchar ") + ch);
        return true;
    }

private:
    TLog* FLog;
};

// A graphic control that fills its rectangle with Color when painted.
class TFillGraphic : public TGraphicControl {
public:
    explicit TFillGraphic(TComponent* owner) : TGraphicControl(owner) {}
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        Canvas().Brush().SetColor(Color());
        Canvas().FillRect(ClientRect());
    }
};

// The display, the application and one form of Width x Height at (Left, Top) on a
// 640 x 480 screen, with pointer and key input in form client coordinates.
template <int Left, int Top, int Width, int Height>
class TMemoryFormFixture {
public:
    static constexpr int FormLeft = Left;
    static constexpr int FormTop = Top;

    TMemoryFormFixture() : Display(640, 480), App(Display) {
        Form = &App.CreateForm<TForm>();
        Form->SetBounds(FormLeft, FormTop, Width, Height);
    }

    // Shows the form and lets it settle (first paint, focus events).
    void ShowForm() {
        Form->Show();
        App.ProcessMessages();
    }
    TWindowId Window() { return Form->Handle(); }
    // Pointer moves and clicks in form client coordinates.
    void MoveTo(int x, int y) { Display.InjectMouseMove(FormLeft + x, FormTop + y); App.ProcessMessages(); }
    void Press(TMouseButton b = mbLeft) { Display.InjectButton(b, true); App.ProcessMessages(); }
    void Release(TMouseButton b = mbLeft) { Display.InjectButton(b, false); App.ProcessMessages(); }
    void ClickAt(int x, int y) { MoveTo(x, y); Press(); Release(); }
    // A key down and up, then the messages they caused.
    void Key(std::uint16_t key, unsigned char ch = 0, TShiftState shift = 0) {
        Display.InjectKey(key, ch, true, shift);
        Display.InjectKey(key, 0, false, shift);
        App.ProcessMessages();
    }
    std::uint32_t Pixel(int x, int y) { return Display.WindowPixel(Window(), x, y); }

    TMemoryDisplay Display;
    TApplication App;
    TForm* Form = nullptr;
};

// A blue form of 200 x 150 at (100, 50).
class TFormFixture : public TMemoryFormFixture<100, 50, 200, 150> {
public:
    TFormFixture() { Form->SetColor(clBlue); }
};
