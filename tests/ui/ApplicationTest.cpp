#include "FormTestSupport.h"

#include "classes/ClassRegistry.h"
#include "classes/Errors.h"
#include "ui/FrameworkClasses.h"
#include "ui/MessageBox.h"
#include "classes/Published.h"
#include "ui/Timer.h"

#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

// --- the default exception handler ---------------------------------------------------------

TEST(ExceptionTextTest, FullStopOnlyAfterACharacterSortingAfterTheDot) {
    EXPECT_EQ(TApplication::ExceptionText("Poster missing"), "Poster missing.");
    EXPECT_EQ(TApplication::ExceptionText("Done."), "Done.");
    EXPECT_EQ(TApplication::ExceptionText("Really!"), "Really!") << "'!' sorts before '.'";
    EXPECT_EQ(TApplication::ExceptionText("(x)"), "(x)");
    EXPECT_EQ(TApplication::ExceptionText("a-"), "a-");
    EXPECT_EQ(TApplication::ExceptionText("path/"), "path/.") << "'/' sorts after '.'";
    EXPECT_EQ(TApplication::ExceptionText("code 5"), "code 5.");
    EXPECT_EQ(TApplication::ExceptionText("caf\xE9"), "caf\xE9.") << "compared as unsigned bytes";
    EXPECT_EQ(TApplication::ExceptionText(""), "");
}

class ApplicationTest : public ::testing::Test, public TFormFixture {
protected:
    // A timer that runs action once, soon, inside whatever loop is running.
    void Soon(std::function<void()> action) {
        auto& timer = App.CreateComponent<TTimer>();
        timer.SetInterval(1);
        timer.SetOnTimer([&timer, action](TObject*) {
            timer.SetEnabled(false);
            action();
        });
    }
};

TEST_F(ApplicationTest, AnExceptionInAHandlerShowsTheBoxWritesStderrAndTheLoopGoesOn) {
    App.SetTitle("Veltrane");
    Form->SetOnMouseDown([](TObject*, TMouseButton, TShiftState, int, int) { throw EInvalidGraphic("Poster missing"); });
    ShowForm();
    std::string boxCaption;
    std::uint32_t iconPixel = 0;
    std::uint32_t crossPixel = 0;
    bool boxWasTopMost = false;
    Soon([&] {
        auto* box = dynamic_cast<TMessageBoxForm*>(App.ModalForm());
        ASSERT_NE(box, nullptr);
        App.UpdateForms();
        boxCaption = Display.Caption(box->Handle());
        const TRect icon = box->IconRect();
        iconPixel = Display.WindowPixel(box->Handle(), icon.Left + 16, icon.Top + 5);
        crossPixel = Display.WindowPixel(box->Handle(), icon.Left + 16, icon.Top + 16);
        boxWasTopMost = Display.IsTopMost(box->Handle());
        // A click on the form below is ignored while the box is up.
        Display.InjectKey(vkReturn, '\r', true);
        Display.InjectKey(vkReturn, 0, false);
    });
    MoveTo(10, 10);
    testing::internal::CaptureStderr();
    Press();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Poster missing.\n");
    EXPECT_EQ(boxCaption, "Veltrane");
    EXPECT_EQ(iconPixel, clRed);
    EXPECT_EQ(crossPixel, clWhite);
    EXPECT_TRUE(boxWasTopMost);
    EXPECT_EQ(App.ModalForm(), nullptr);
    EXPECT_FALSE(App.Terminated());
    EXPECT_TRUE(Form->Visible());
}

TEST_F(ApplicationTest, OnExceptionReplacesTheBox) {
    std::string seen;
    App.SetOnException([&](TObject*, const std::exception& e) { seen = e.what(); });
    Form->SetOnKeyPress([](TObject*, char&) { throw std::runtime_error("bad key"); });
    ShowForm();
    Key('A', 'a');
    EXPECT_EQ(seen, "bad key");
}

TEST_F(ApplicationTest, MessageBoxWithoutApplicationOnlyWritesStderr) {
    // The fixture's application exists; a box is dismissed by its OK button.
    Soon([&] {
        auto* box = dynamic_cast<TMessageBoxForm*>(App.ModalForm());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->ActiveControl(), &box->Button());
        const TPoint p = box->Button().ClientToScreen(TPoint{10, 10});
        Display.InjectMouseMove(p.X, p.Y);
        Display.InjectButton(mbLeft, true);
        Display.InjectButton(mbLeft, false);
    });
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox("Two\r\nlines", "Title", MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Two\r\nlines\n");
}

// --- the loop ---------------------------------------------------------------------------------

TEST_F(ApplicationTest, RunEndsWhenTheMainFormClosesAndAsksOnCloseQuery) {
    int queries = 0;
    Form->SetOnCloseQuery([&](TObject*, bool& canClose) { canClose = ++queries > 1; });
    Soon([&] {
        TDisplayEvent close;
        close.Kind = deClose;
        close.Window = Form->Handle();
        Display.InjectEvent(close);
        Display.InjectEvent(close);
    });
    App.Run();
    EXPECT_EQ(queries, 2);
    EXPECT_TRUE(App.Terminated());
}

TEST_F(ApplicationTest, LosingTheDisplayEndsTheLoop) {
    Soon([&] { Display.SimulateConnectionLoss(); });
    App.Run();
    EXPECT_TRUE(App.Terminated());
}

TEST_F(ApplicationTest, ModalFormRunsItsOwnLoopAndOtherFormsTakeNoInput) {
    ShowForm();
    int formClicks = 0;
    Form->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int, int) { ++formClicks; });
    auto& dialog = App.CreateForm<TForm>();
    dialog.SetBounds(400, 300, 100, 100);
    Soon([&] {
        Display.InjectMouseMove(FormLeft + 5, FormTop + 5);
        Display.InjectButton(mbLeft, true);
        Display.InjectButton(mbLeft, false);
        auto& later = App.CreateComponent<TTimer>();
        later.SetInterval(5);
        later.SetOnTimer([&](TObject*) {
            later.SetEnabled(false);
            dialog.SetModalResult(mrOk);
        });
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(formClicks, 0);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(Display.IsWindowVisible(dialog.Handle()));
}

TEST_F(ApplicationTest, ClosingAModalFormGivesCancel) {
    auto& dialog = App.CreateForm<TForm>();
    Soon([&] { dialog.Close(); });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
}

TEST_F(ApplicationTest, CloseActionFreeDestroysASecondFormAfterTheEvent) {
    ShowForm();
    auto& second = App.CreateForm<TForm>();
    second.SetName("second");
    second.SetOnClose([](TObject*, TCloseAction& action) { action = caFree; });
    second.Show();
    App.ProcessMessages();
    second.Close();
    EXPECT_NE(App.FindComponent("second"), nullptr);
    App.ProcessMessages();
    EXPECT_EQ(App.FindComponent("second"), nullptr);
    EXPECT_FALSE(App.Terminated());
}

// --- timers -------------------------------------------------------------------------------------

TEST_F(ApplicationTest, TimerWithIntervalZeroStartsNothing) {
    auto& idle = App.CreateComponent<TTimer>();
    int idleTicks = 0;
    idle.SetOnTimer([&](TObject*) { ++idleTicks; });
    idle.SetInterval(0);
    EXPECT_FALSE(idle.Armed());
    auto& stop = App.CreateComponent<TTimer>();
    stop.SetInterval(30);
    stop.SetOnTimer([&](TObject*) { App.Terminate(); });
    App.Run();
    EXPECT_EQ(idleTicks, 0);
}

TEST_F(ApplicationTest, TimerRepeatsAndCanBeRearmedOrStoppedFromItsHandler) {
    auto& timer = App.CreateComponent<TTimer>();
    std::vector<std::uint32_t> intervals;
    timer.SetInterval(2);
    timer.SetOnTimer([&](TObject*) {
        intervals.push_back(timer.Interval());
        if (intervals.size() == 2) timer.SetInterval(5);  // re-armed from inside
        if (intervals.size() == 4) {
            timer.SetEnabled(false);
            App.Terminate();
        }
    });
    App.Run();
    EXPECT_EQ(intervals, (std::vector<std::uint32_t>{2, 2, 5, 5}));
    EXPECT_FALSE(timer.Armed());
}

TEST_F(ApplicationTest, DisabledTimerOrTimerWithoutHandlerDoesNotTick) {
    auto& timer = App.CreateComponent<TTimer>();
    timer.SetInterval(1);
    EXPECT_FALSE(timer.Armed()) << "no handler";
    timer.SetEnabled(false);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    EXPECT_FALSE(timer.Armed());
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Armed());
}

TEST_F(ApplicationTest, ExceptionInATimerGoesToTheHandlerAndTheTimerGoesOn) {
    std::vector<std::string> errors;
    App.SetOnException([&](TObject*, const std::exception& e) { errors.push_back(e.what()); });
    auto& timer = App.CreateComponent<TTimer>();
    timer.SetInterval(1);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) {
        if (++ticks == 3) App.Terminate();
        throw std::runtime_error("tick");
    });
    App.Run();
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(errors.size(), 3u);
}

// --- forms from definitions ---------------------------------------------------------------------

const char* const ViewDefinition =
    "object frmTest: TTestDefinedForm\n"
    "  Left = 0\n"
    "  Top = 0\n"
    "  BorderStyle = bsNone\n"
    "  Caption = 'Veltrane'\n"
    "  ClientHeight = 240\n"
    "  ClientWidth = 347\n"
    "  Color = clBlack\n"
    "  Font.Charset = DEFAULT_CHARSET\n"
    "  Font.Color = clWindowText\n"
    "  Font.Height = -11\n"
    "  Font.Name = 'Tahoma'\n"
    "  Font.Style = []\n"
    "  OldCreateOrder = False\n"
    "  OnActivate = FormActivate\n"
    "  OnCloseQuery = FormCloseQuery\n"
    "  OnCreate = FormCreate\n"
    "  OnDestroy = FormDestroy\n"
    "  OnKeyPress = FormKeyPress\n"
    "  OnMouseDown = FormMouseDown\n"
    "  OnMouseMove = FormMouseMove\n"
    "  OnPaint = FormPaint\n"
    "  PixelsPerInch = 96\n"
    "  TextHeight = 13\n"
    "  object tmrEspera: TTimer\n"
    "    Enabled = False\n"
    "    Interval = 100\n"
    "    OnTimer = tmrEsperaTimer\n"
    "  end\n"
    "end\n";

class TTestDefinedForm : public TForm {
public:
    VELTRANE_CLASS_INFO
    TTestDefinedForm(TComponent* owner, std::shared_ptr<TLog> log, std::string definition)
        : TForm(owner), Log(std::move(log)) {
        TClassRegistry classes;
        RegisterFrameworkClasses(classes);
        ReadFormText(definition, classes, "TFRM_TEST");
    }

    void FormCreate(TObject*) { Log->push_back("create " + std::to_string(tmrEspera ? tmrEspera->Interval() : 0)); }
    void FormDestroy(TObject*) { Log->push_back("destroy"); }
    void FormActivate(TObject*) { Log->push_back("activate"); }
    void FormCloseQuery(TObject*, bool& canClose) { Log->push_back("closequery"); canClose = true; }
    void FormKeyPress(TObject*, char& key) { Log->push_back(std::string("keypress ") + key); }
    void FormMouseDown(TObject*, TMouseButton b, TShiftState, int x, int y) {
        Log->push_back("mousedown " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
    }
    void FormMouseMove(TObject*, TShiftState, int x, int y) { Log->push_back("mousemove " + std::to_string(x) + "," + std::to_string(y)); }
    void FormPaint(TObject*) { Log->push_back("paint"); }
    void tmrEsperaTimer(TObject*) { Log->push_back("timer"); }

    std::shared_ptr<TLog> Log;
    TTimer* tmrEspera = nullptr;
};

const TClassInfo& TTestDefinedForm::StaticClass() {
    using T = TTestDefinedForm;
    static const TClassInfo info = MakeClass<T, TForm>("TTestDefinedForm", {},
        {
            PublishedMethod("FormCreate", &T::FormCreate),
            PublishedMethod("FormDestroy", &T::FormDestroy),
            PublishedMethod("FormActivate", &T::FormActivate),
            PublishedMethod("FormCloseQuery", &T::FormCloseQuery),
            PublishedMethod("FormKeyPress", &T::FormKeyPress),
            PublishedMethod("FormMouseDown", &T::FormMouseDown),
            PublishedMethod("FormMouseMove", &T::FormMouseMove),
            PublishedMethod("FormPaint", &T::FormPaint),
            PublishedMethod("tmrEsperaTimer", &T::tmrEsperaTimer),
        },
        {PublishedField("tmrEspera", &T::tmrEspera)});
    return info;
}

TEST(FormDefinitionTest, FormIsBuiltFromItsDefinitionWithBoundHandlers) {
    auto log = std::make_shared<TLog>();
    {
        TMemoryDisplay display(640, 480);
        TApplication app(display);
        auto& form = app.CreateForm<TTestDefinedForm>(log, ViewDefinition);
        EXPECT_EQ(*log, (TLog{"create 100"}));
        EXPECT_EQ(form.Name(), "frmTest");
        EXPECT_EQ(form.Caption(), "Veltrane");
        EXPECT_EQ(form.BorderStyle(), bsNone);
        EXPECT_EQ(form.Color(), clBlack);
        EXPECT_EQ(form.ClientWidth(), 347);
        EXPECT_EQ(form.ClientHeight(), 240);
        EXPECT_EQ(form.Font().Name(), "Tahoma");
        ASSERT_NE(form.tmrEspera, nullptr);
        EXPECT_FALSE(form.tmrEspera->Enabled());
        EXPECT_FALSE(form.Visible());
        EXPECT_EQ(app.MainForm(), &form);

        form.Show();
        app.ProcessMessages();
        EXPECT_EQ(display.WindowPixel(form.Handle(), 10, 10), clBlack);
        display.InjectMouseMove(20, 30);
        display.InjectButton(mbRight, true);
        display.InjectKey('Q', 'q', true);
        display.InjectKey(vkShift, 0, true);
        app.ProcessMessages();
        form.Close();
        EXPECT_EQ(*log, (TLog{"create 100", "activate", "paint", "mousemove 20,30", "mousedown 1 20,30", "keypress q",
                              "closequery"}));
        EXPECT_TRUE(app.Terminated());
        log->clear();
    }
    EXPECT_EQ(*log, (TLog{"destroy"}));
}

TEST(FormDefinitionTest, MissingHandlerIsAnErrorNamingTheLine) {
    TMemoryDisplay display(640, 480);
    TApplication app(display);
    std::string text = ViewDefinition;
    text.replace(text.find("= FormPaint"), 11, "= FormPainted");
    auto log = std::make_shared<TLog>();
    try {
        app.CreateForm<TTestDefinedForm>(log, text);
        FAIL() << "no error";
    } catch (const EFilerError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("TFRM_TEST"), std::string::npos) << message;
        EXPECT_NE(message.find("line 22"), std::string::npos) << message;
        EXPECT_NE(message.find("OnPaint"), std::string::npos) << message;
    }
    EXPECT_TRUE(log->empty());
}

TEST(FormDefinitionTest, UnknownPropertyOfAControlIsAnError) {
    TMemoryDisplay display(640, 480);
    TApplication app(display);
    std::string text = ViewDefinition;
    text.replace(text.find("    Interval = 100"), 18, "    Intervall = 100");
    EXPECT_THROW(app.CreateForm<TTestDefinedForm>(std::make_shared<TLog>(), text), EFilerError);
}

TEST(ApplicationObjectTest, OnlyOneApplicationAtATime) {
    TMemoryDisplay display(64, 64);
    TApplication app(display);
    EXPECT_EQ(Application(), &app);
    EXPECT_THROW(TApplication second(display), EInvalidOperation);
    EXPECT_EQ(Application(), &app);
}

}  // namespace

namespace {

TEST_F(ApplicationTest, AfterAModalFormTheFormActiveBeforeGetsTheFocusBack) {
    int activations = 0;
    Form->SetOnActivate([&](TObject*) { ++activations; });
    ShowForm();
    EXPECT_EQ(activations, 1);
    auto& dialog = App.CreateForm<TForm>();
    Soon([&] { dialog.SetModalResult(mrOk); });
    dialog.ShowModal();
    App.ProcessMessages();
    EXPECT_EQ(Display.FocusWindow(), Form->Handle());
    EXPECT_TRUE(Form->Active());
    EXPECT_EQ(activations, 2);
}

const char* const FocusDefinition =
    "object frmFocus: TForm\n"
    "  ActiveControl = second\n"
    "  object first: TFocusProbe\n"
    "    TabOrder = 0\n"
    "  end\n"
    "  object second: TFocusProbe\n"
    "    Left = 50\n"
    "    TabOrder = 1\n"
    "  end\n"
    "end\n";

class TFocusProbe : public TCustomControl {
public:
    VELTRANE_CLASS_INFO
    explicit TFocusProbe(TComponent* owner) : TCustomControl(owner) {
        FTabStop = true;
        SetBounds(0, 0, 20, 20);
    }
    int Enters = 0;

protected:
    void DoEnter() override {
        ++Enters;
        TCustomControl::DoEnter();
    }
};

const TClassInfo& TFocusProbe::StaticClass() {
    static const TClassInfo info = MakeClass<TFocusProbe, TCustomControl>("TFocusProbe", {});
    return info;
}

class TFocusForm : public TForm {
public:
    explicit TFocusForm(TComponent* owner) : TForm(owner) {
        TClassRegistry classes;
        RegisterFrameworkClasses(classes);
        classes.RegisterClass(TFocusProbe::StaticClass());
        ReadFormText(FocusDefinition, classes, "TFRM_FOCUS");
    }
};

TEST(FormDefinitionTest, ActiveControlNamedByTheDefinitionGetsTheFocusWhenShown) {
    TMemoryDisplay display(640, 480);
    TApplication app(display);
    auto& form = app.CreateForm<TFocusForm>();
    auto* second = dynamic_cast<TFocusProbe*>(form.FindComponent("second"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(form.ActiveControl(), second);
    EXPECT_EQ(second->Enters, 0) << "no focus events while loading";
    form.Show();
    EXPECT_EQ(form.ActiveControl(), second);
    EXPECT_EQ(second->Enters, 1);
    EXPECT_EQ(dynamic_cast<TFocusProbe*>(form.FindComponent("first"))->Enters, 0);
}

}  // namespace
