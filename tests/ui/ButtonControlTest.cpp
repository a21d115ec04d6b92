#include "FormTestSupport.h"

#include "ui/ButtonControl.h"

#include <gtest/gtest.h>

namespace {

class TProbeButton : public TButtonControl {
public:
    explicit TProbeButton(TComponent* owner) : TButtonControl(owner) {}
    int Clicks = 0;
    bool ClickOnEnter = false;  // sends a clicked notice while the focus arrives

protected:
    void Click() override {
        ++Clicks;
        TButtonControl::Click();
    }
    void DoEnter() override {
        TButtonControl::DoEnter();
        if (ClickOnEnter) Clicked();
    }
};

class ButtonControlTest : public ::testing::Test, public TFormFixture {
protected:
    ButtonControlTest() {
        Other = &Form->CreateComponent<TLogControl>(nullptr, "other");
        Other->SetParent(Form);
        Other->SetBounds(0, 0, 20, 20);
        Button = &Form->CreateComponent<TProbeButton>();
        Button->SetParent(Form);
        Button->SetBounds(50, 50, 75, 25);
    }
    TLogControl* Other;
    TProbeButton* Button;
};

TEST_F(ButtonControlTest, PressFocusesAndTheReleaseOverTheButtonClicksOnce) {
    ShowForm();
    ASSERT_EQ(Form->ActiveControl(), Other);
    MoveTo(60, 60);
    Press();
    EXPECT_TRUE(Button->Focused());
    EXPECT_TRUE(Button->Pushed());
    EXPECT_EQ(Button->Clicks, 0);
    Release();
    EXPECT_EQ(Button->Clicks, 1);
    EXPECT_FALSE(Button->Pushed());
}

TEST_F(ButtonControlTest, ReleaseOutsideDoesNotClickAndThePushedLookFollowsThePointer) {
    ShowForm();
    MoveTo(60, 60);
    Press();
    MoveTo(150, 120);
    EXPECT_FALSE(Button->Pushed());
    EXPECT_TRUE(Button->MouseCapture());
    MoveTo(61, 61);
    EXPECT_TRUE(Button->Pushed());
    MoveTo(150, 120);
    Release();
    EXPECT_EQ(Button->Clicks, 0);
    EXPECT_FALSE(Button->MouseCapture());
}

TEST_F(ButtonControlTest, ClickedNoticesWhileThePressMovesTheFocusAreIgnored) {
    Button->ClickOnEnter = true;
    ShowForm();
    ClickAt(60, 60);
    EXPECT_EQ(Button->Clicks, 1) << "only the release clicks";
}

TEST_F(ButtonControlTest, SpaceBarClicksOnItsRelease) {
    Button->SetFocus();
    ShowForm();
    Display.InjectKey(vkSpace, ' ', true);
    App.ProcessMessages();
    EXPECT_TRUE(Button->Pushed());
    EXPECT_EQ(Button->Clicks, 0);
    Display.InjectKey(vkSpace, 0, false);
    App.ProcessMessages();
    EXPECT_EQ(Button->Clicks, 1);
    EXPECT_FALSE(Button->Pushed());
}

TEST_F(ButtonControlTest, LosingTheFocusCancelsAHeldSpaceBar) {
    Button->SetFocus();
    ShowForm();
    Display.InjectKey(vkSpace, ' ', true);
    App.ProcessMessages();
    Other->SetFocus();
    Display.InjectKey(vkSpace, 0, false);
    App.ProcessMessages();
    EXPECT_EQ(Button->Clicks, 0);
}

TEST(AcceleratorTest, TheCharacterAfterTheLastSingleAmpersand) {
    EXPECT_TRUE(IsAccel('o', "&Ok"));
    EXPECT_TRUE(IsAccel('O', "&ok"));
    EXPECT_FALSE(IsAccel('k', "&Ok"));
    EXPECT_TRUE(IsAccel('c', "a&b&c"));
    EXPECT_FALSE(IsAccel('b', "a&b&c"));
    EXPECT_FALSE(IsAccel('x', "&&x"));
    EXPECT_TRUE(IsAccel('y', "&&x&y"));
    EXPECT_FALSE(IsAccel('&', "tail&"));
    EXPECT_FALSE(IsAccel('a', ""));
}

}  // namespace
