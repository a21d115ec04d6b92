#include "FormTestSupport.h"

#include "classes/ClassRegistry.h"
#include "ui/FrameworkClasses.h"
#include "ui/PageControl.h"
#include "classes/Published.h"
#include "ui/TabSheet.h"

#include <gtest/gtest.h>

namespace {

class PageControlTest : public ::testing::Test, public TFormFixture {
protected:
    PageControlTest() {
        Pages = &Form->CreateComponent<TPageControl>();
        Pages->SetParent(Form);
        Pages->SetBounds(10, 10, 180, 120);
        for (const char* caption : {"One", "Two", "Three"}) {
            TTabSheet& sheet = Form->CreateComponent<TTabSheet>();
            sheet.SetCaption(caption);
            sheet.SetPageControl(Pages);
            Sheets.push_back(&sheet);
        }
        Pages->SetOnChange([this](TObject*) { Log.push_back("change " + std::to_string(Pages->ActivePageIndex())); });
        Pages->SetOnChanging([this](TObject*, bool& allow) {
            Log.push_back("changing " + std::to_string(Pages->ActivePageIndex()));
            allow = AllowChange;
        });
    }
    // The centre of tab index in form coordinates.
    TPoint TabCentre(int index) {
        const TRect r = Pages->TabRect(index);
        return TPoint{10 + (r.Left + r.Right) / 2, 10 + (r.Top + r.Bottom) / 2};
    }
    void ClickTab(int index) {
        const TPoint p = TabCentre(index);
        ClickAt(p.X, p.Y);
    }

    TPageControl* Pages = nullptr;
    std::vector<TTabSheet*> Sheets;
    TLog Log;
    bool AllowChange = true;
};

} // namespace

TEST_F(PageControlTest, FirstPageBecomesActiveAndFillsTheDisplayRect) {
    EXPECT_EQ(Pages->PageCount(), 3);
    EXPECT_EQ(Pages->TabCount(), 3);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_EQ(Pages->TabIndex(), 0);
    EXPECT_TRUE(Sheets[0]->Visible());
    EXPECT_FALSE(Sheets[1]->Visible());
    const TRect display = Pages->DisplayRect();
    EXPECT_EQ(Sheets[0]->BoundsRect(), display);
    EXPECT_EQ(Sheets[2]->BoundsRect(), display);
    EXPECT_EQ(Pages->TabCaption(1), "Two");
    EXPECT_EQ(Sheets[2]->PageIndex(), 2);
    EXPECT_EQ(Sheets[2]->TabIndex(), 2);
}

TEST_F(PageControlTest, ClickOnATabSwitchesThePage) {
    ShowForm();
    ClickTab(2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(Pages->TabIndex(), 2);
    EXPECT_TRUE(Sheets[2]->Visible());
    EXPECT_FALSE(Sheets[0]->Visible());
    EXPECT_EQ(Log, (TLog{"changing 0", "change 2"}));
    ClickTab(2); // the selected tab again: nothing
    EXPECT_EQ(Log.size(), 2u);
}

TEST_F(PageControlTest, OnChangingCanRefuse) {
    ShowForm();
    AllowChange = false;
    ClickTab(1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_EQ(Log, (TLog{"changing 0"}));
}

TEST_F(PageControlTest, ClicksBesideTheTabsOrWithOtherButtonsDoNothing) {
    ShowForm();
    const TRect last = Pages->TabRect(2);
    ClickAt(10 + last.Right + 5, 10 + last.Top + 3);
    ClickAt(100, 100); // on the page
    const TPoint p = TabCentre(1);
    MoveTo(p.X, p.Y);
    Press(mbRight);
    Release(mbRight);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_TRUE(Log.empty());
}

TEST_F(PageControlTest, HitTestingFollowsTheLayout) {
    const TRect r0 = Pages->TabRect(0), r1 = Pages->TabRect(1);
    EXPECT_EQ(r0.Right, r1.Left);
    EXPECT_EQ(Pages->IndexOfTabAt(r1.Left + 2, r1.Top + 5), 1);
    // The selected tab is drawn 2 pixels wider and wins over its neighbour there.
    EXPECT_EQ(Pages->IndexOfTabAt(r1.Left + 1, r1.Top + 5), 0);
    EXPECT_EQ(Pages->IndexOfTabAt(r0.Right, r0.Top + 5), 0);
    EXPECT_EQ(Pages->IndexOfTabAt(-5, -5), -1);
    Pages->SetTabPosition(tpBottom);
    const TRect bottom = Pages->TabRect(0);
    EXPECT_EQ(bottom.Bottom, Pages->Height() - 2);
    EXPECT_EQ(Pages->IndexOfTabAt(bottom.Left + 3, bottom.Top + 3), 0);
    EXPECT_EQ(Sheets[0]->BoundsRect(), Pages->DisplayRect());
    EXPECT_EQ(Pages->DisplayRect().Top, 4);
}

TEST_F(PageControlTest, DisabledPagesCannotBeChosen) {
    ShowForm();
    Sheets[1]->SetEnabled(false);
    ClickTab(1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_TRUE(Log.empty());
}

TEST_F(PageControlTest, HiddenTabsAndRemovedPages) {
    Sheets[1]->SetTabVisible(false);
    EXPECT_EQ(Pages->TabCount(), 2);
    EXPECT_EQ(Pages->TabCaption(1), "Three");
    EXPECT_EQ(Pages->PageOfTab(1), Sheets[2]);
    EXPECT_EQ(Sheets[1]->TabIndex(), -1);
    Sheets[1]->SetTabVisible(true);
    EXPECT_EQ(Pages->TabCaption(1), "Two");

    Pages->SetActivePage(Sheets[2]);
    Sheets[2]->SetPageControl(nullptr);
    EXPECT_EQ(Pages->PageCount(), 2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]); // the page before takes its place
    EXPECT_EQ(Pages->TabIndex(), 1);
    Sheets[0]->Free();
    Sheets.erase(Sheets.begin());
    EXPECT_EQ(Pages->PageCount(), 1);
    EXPECT_EQ(Pages->TabIndex(), 0);
}

TEST_F(PageControlTest, CaptionsAndPageOrderReachTheTabs) {
    Sheets[0]->SetCaption("First page");
    EXPECT_EQ(Pages->TabCaption(0), "First page");
    EXPECT_GT(Pages->TabRect(0).Width(), Pages->TabRect(1).Width());
    Sheets[2]->SetPageIndex(0);
    EXPECT_EQ(Pages->TabCaption(0), "Three");
    EXPECT_EQ(Pages->Pages(0), Sheets[2]);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_EQ(Pages->TabIndex(), 1);
}

TEST_F(PageControlTest, ArrowKeysMoveBetweenTabsWhenFocused) {
    auto& sibling = Form->CreateComponent<TLogControl>(nullptr, "sibling"); // arrows must not move the focus there
    sibling.SetParent(Form);
    sibling.SetBounds(0, 140, 10, 10);
    ShowForm();
    Pages->SetFocus();
    App.ProcessMessages();
    Key(vkRight);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    Key(vkLeft);
    Key(vkLeft); // at the first tab already
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    Pages->SelectNextPage(false);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
}

TEST_F(PageControlTest, ArrowsScrollATooLongRowAndSelectionComesIntoView) {
    Pages->SetWidth(90);
    ASSERT_TRUE(Pages->Layout().Scrolling);
    ShowForm();
    const TRect forward = Pages->Layout().ScrollForward;
    ClickAt(10 + forward.Left + 4, 10 + forward.Top + 4);
    EXPECT_EQ(Pages->FirstVisibleTab(), 1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]); // scrolling does not switch pages
    const TRect back = Pages->Layout().ScrollBack;
    ClickAt(10 + back.Left + 4, 10 + back.Top + 4);
    EXPECT_EQ(Pages->FirstVisibleTab(), 0);
    Pages->SetActivePage(Sheets[2]);
    EXPECT_GT(Pages->FirstVisibleTab(), 0);
    EXPECT_LE(Pages->TabRect(2).Right, Pages->Layout().ScrollBack.Left);
    Pages->SetActivePage(Sheets[0]);
    EXPECT_EQ(Pages->FirstVisibleTab(), 0);
}

TEST_F(PageControlTest, OwnerDrawHandsEachTabWithItsState) {
    std::vector<std::string> drawn;
    Pages->SetOwnerDraw(true);
    Pages->SetOnDrawTab([&](TObject*, int index, const TRect& rect, bool active) {
        drawn.push_back(std::to_string(index) + (active ? " active" : "") + " " + std::to_string(rect.Left));
    });
    ShowForm();
    ASSERT_GE(drawn.size(), 3u);
    drawn.erase(drawn.begin(), drawn.end() - 3); // the last paint pass
    EXPECT_EQ(drawn[0], "1 " + std::to_string(Pages->TabRect(1).Left));
    EXPECT_EQ(drawn[2], "0 active " + std::to_string(Pages->TabRect(0).Left - 2)); // last and larger
}

TEST_F(PageControlTest, PaintsFrameAndTabsInButtonFace) {
    ShowForm();
    const TRect frame = Pages->Layout().PageFrame;
    const TColor face = ColorToDrawRGB(clBtnFace);
    EXPECT_EQ(Pixel(10 + frame.Left, 10 + frame.Top + 10), ColorToDrawRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(10 + frame.Right - 1, 10 + frame.Top + 10), ColorToDrawRGB(cl3DDkShadow));
    const TRect t1 = Pages->TabRect(1);
    EXPECT_EQ(Pixel(10 + t1.Left + 4, 10 + t1.Bottom - 2), face);
    EXPECT_EQ(Pixel(10 + 60, 10 + 60), face); // the sheet
    EXPECT_EQ(Pixel(5, 5), clBlue);           // outside the control
}

namespace {

const char* const PagesDefinition =
    "object frmPages: TTestPagesForm\n"
    "  Left = 0\n"
    "  Top = 0\n"
    "  ClientWidth = 300\n"
    "  ClientHeight = 200\n"
    "  object pgcOp: TPageControl\n"
    "    Left = 0\n"
    "    Top = 10\n"
    "    Width = 300\n"
    "    Height = 185\n"
    "    ActivePage = tabTwo\n"
    "    TabPosition = tpBottom\n"
    "    TabStop = False\n"
    "    object tabOne: TTabSheet\n"
    "      Caption = 'Images'\n"
    "    end\n"
    "    object tabTwo: TTabSheet\n"
    "      Caption = 'Configuration'\n"
    "      ImageIndex = 1\n"
    "    end\n"
    "  end\n"
    "end\n";

class TTestPagesForm : public TForm {
public:
    VELTRANE_CLASS_INFO
    explicit TTestPagesForm(TComponent* owner) : TForm(owner) {
        TClassRegistry classes;
        RegisterFrameworkClasses(classes);
        RegisterPageControlClasses(classes);
        ReadFormText(PagesDefinition, classes, "TFRMPAGES");
    }
    TPageControl* pgcOp = nullptr;
    TTabSheet* tabOne = nullptr;
    TTabSheet* tabTwo = nullptr;
};

const TClassInfo& TTestPagesForm::StaticClass() {
    using T = TTestPagesForm;
    static const TClassInfo info = MakeClass<T, TForm>("TTestPagesForm", {}, {},
                                                       {PublishedField("pgcOp", &T::pgcOp),
                                                        PublishedField("tabOne", &T::tabOne),
                                                        PublishedField("tabTwo", &T::tabTwo)});
    return info;
}

} // namespace

TEST(PageControlForm, FormDefinitionCreatesPagesWithActivePage) {
    TMemoryDisplay display(640, 480);
    TApplication app(display);
    auto& form = app.CreateForm<TTestPagesForm>();
    ASSERT_NE(form.pgcOp, nullptr);
    ASSERT_NE(form.tabTwo, nullptr);
    EXPECT_EQ(form.pgcOp->PageCount(), 2);
    EXPECT_EQ(form.pgcOp->ActivePage(), form.tabTwo);
    EXPECT_EQ(form.pgcOp->TabIndex(), 1);
    EXPECT_EQ(form.pgcOp->TabImageIndex(1), 1);
    EXPECT_EQ(form.pgcOp->TabImageIndex(0), 0);
    EXPECT_EQ(form.pgcOp->TabPosition(), tpBottom);
    EXPECT_TRUE(form.pgcOp->StyleBits() & TCS_FOCUSNEVER);
    EXPECT_TRUE(form.tabTwo->Visible());
    EXPECT_FALSE(form.tabOne->Visible());
    EXPECT_EQ(form.tabOne->Parent(), form.pgcOp);
}
