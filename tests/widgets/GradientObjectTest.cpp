#include "widgets/Gradient.h"

#include "classes/ClassInfo.h"
#include "classes/PropInfo.h"
#include "ui/PersistentFont.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct TCounter {
    int Count = 0;
    void Watch(TTwainColors& colors) {
        colors.OnChanged = [this](TTwainColors&) { ++Count; };
    }
};

std::vector<std::string> PropertyNames(const TClassInfo& info) {
    std::vector<std::string> names;
    for (const TPropInfo& prop : info.Properties()) names.push_back(prop.Name());
    return names;
}

const TPropInfo& Property(const TClassInfo& info, const std::string& name) {
    const TPropInfo* prop = info.FindProperty(name);
    if (!prop) throw std::runtime_error("no property " + name);
    return *prop;
}

} // namespace

TEST(TwainColors, StartsGreyToBlackResolved) {
    TTwainColors colors;
    EXPECT_EQ(colors.FromColor(), 0x00808080u);
    EXPECT_EQ(colors.ToColor(), 0x00000000u);
    EXPECT_EQ(colors.RGBFromColor(), 0x00808080u);
    EXPECT_EQ(colors.RGBToColor(), 0x00000000u);
}

TEST(TwainColors, SystemColoursAreKeptAndResolved) {
    TTwainColors colors;
    colors.SetFromColor(clBtnFace);
    colors.SetToColor(clBtnShadow);
    EXPECT_EQ(colors.FromColor(), clBtnFace);
    EXPECT_EQ(colors.RGBFromColor(), GetSysColor(15));
    EXPECT_EQ(colors.ToColor(), clBtnShadow);
    EXPECT_EQ(colors.RGBToColor(), GetSysColor(16));
}

TEST(TwainColors, NotifiesOnlyRealChanges) {
    TTwainColors colors;
    TCounter counter;
    counter.Watch(colors);
    colors.SetFromColor(clGray);
    colors.SetToColor(clBlack);
    EXPECT_EQ(counter.Count, 0);
    colors.SetFromColor(clRed);
    EXPECT_EQ(counter.Count, 1);
    colors.SetFromColor(clRed);
    EXPECT_EQ(counter.Count, 1);
    colors.SetToColor(clWhite);
    EXPECT_EQ(counter.Count, 2);
}

TEST(TwainColors, AssignTakesBothColoursAndRefusesStrangers) {
    TTwainColors source;
    source.SetFromColor(0x00123456);
    source.SetToColor(clBtnHighlight);
    TTwainColors target;
    TCounter counter;
    counter.Watch(target);
    target.Assign(source);
    EXPECT_EQ(target.FromColor(), 0x00123456u);
    EXPECT_EQ(target.ToColor(), clBtnHighlight);
    EXPECT_EQ(target.RGBToColor(), GetSysColor(20));
    EXPECT_EQ(counter.Count, 2);

    TPersistentFont font;
    EXPECT_THROW(target.Assign(font), Exception);
}

TEST(Gradient, StartValues) {
    TGradient gradient;
    EXPECT_FALSE(gradient.Active());
    EXPECT_FALSE(gradient.BufferedDraw());
    EXPECT_EQ(gradient.Orientation(), fgdHorizontal);
    EXPECT_EQ(gradient.Steps(), 255);
    EXPECT_EQ(gradient.PercentFilling(), 100);
    EXPECT_EQ(gradient.BrushStyle(), bsSolid);
}

TEST(Gradient, StepsAreClampedBeforeTheComparison) {
    TGradient gradient;
    TCounter counter;
    counter.Watch(gradient);
    gradient.SetSteps(300);
    EXPECT_EQ(gradient.Steps(), 255);
    EXPECT_EQ(counter.Count, 0) << "300 clamps to the value already stored";
    gradient.SetSteps(0);
    EXPECT_EQ(gradient.Steps(), 1);
    EXPECT_EQ(counter.Count, 1);
    gradient.SetSteps(-5);
    EXPECT_EQ(gradient.Steps(), 1);
    EXPECT_EQ(counter.Count, 1);
}

TEST(Gradient, PercentFillingStaysAPercentage) {
    TGradient gradient;
    gradient.SetPercentFilling(250);
    EXPECT_EQ(gradient.PercentFilling(), 100);
    gradient.SetPercentFilling(-1);
    EXPECT_EQ(gradient.PercentFilling(), 0);
    gradient.SetPercentFilling(42);
    EXPECT_EQ(gradient.PercentFilling(), 42);
}

TEST(Gradient, EverySetterButBufferedDrawNotifiesOnChange) {
    TGradient gradient;
    TCounter counter;
    counter.Watch(gradient);
    gradient.SetActive(true);
    gradient.SetActive(true);
    gradient.SetOrientation(fgdRectangle);
    gradient.SetOrientation(fgdRectangle);
    gradient.SetSteps(10);
    gradient.SetPercentFilling(50);
    gradient.SetBrushStyle(bsCross);
    gradient.SetBrushStyle(bsCross);
    EXPECT_EQ(counter.Count, 5);
    gradient.SetBufferedDraw(true);
    EXPECT_TRUE(gradient.BufferedDraw());
    EXPECT_EQ(counter.Count, 5);
}

TEST(Gradient, AssignCopiesEverythingAndNotifiesOnceMore) {
    TGradient source;
    source.SetFromColor(clRed);
    source.SetToColor(clBlue);
    source.SetActive(true);
    source.SetBufferedDraw(true);
    source.SetOrientation(fgdVertConvergent);
    source.SetSteps(7);
    source.SetPercentFilling(30);
    source.SetBrushStyle(bsFDiagonal);

    TGradient target;
    TCounter counter;
    counter.Watch(target);
    target.Assign(source);
    EXPECT_EQ(target.FromColor(), clRed);
    EXPECT_EQ(target.ToColor(), clBlue);
    EXPECT_EQ(target.RGBToColor(), clBlue);
    EXPECT_TRUE(target.Active());
    EXPECT_TRUE(target.BufferedDraw());
    EXPECT_EQ(target.Orientation(), fgdVertConvergent);
    EXPECT_EQ(target.Steps(), 7);
    EXPECT_EQ(target.PercentFilling(), 30);
    EXPECT_EQ(target.BrushStyle(), bsFDiagonal);
    EXPECT_EQ(counter.Count, 3) << "two colours, then the final notification";

    counter.Count = 0;
    target.Assign(target);
    EXPECT_EQ(counter.Count, 0);
}

TEST(Gradient, AssignFromPlainColourPairTakesOnlyTheColours) {
    TTwainColors colors;
    colors.SetFromColor(clYellow);
    TGradient gradient;
    gradient.SetSteps(9);
    gradient.Assign(colors);
    EXPECT_EQ(gradient.FromColor(), clYellow);
    EXPECT_EQ(gradient.Steps(), 9);
}

TEST(GradientReflection, PublishesColoursFirstThenTheSixFields) {
    EXPECT_EQ(PropertyNames(TTwainColors::StaticClass()), (std::vector<std::string>{"FromColor", "ToColor"}));
    EXPECT_EQ(PropertyNames(TGradient::StaticClass()),
              (std::vector<std::string>{"FromColor", "ToColor", "Active", "BufferedDraw", "Orientation", "Steps",
                                        "PercentFilling", "BrushStyle"}));
    EXPECT_EQ(TGradient::StaticClass().ClassName(), "TGradient");
}

TEST(GradientReflection, DefaultsDecideWhatIsStored) {
    const TClassInfo& info = TGradient::StaticClass();
    TGradient gradient;
    EXPECT_TRUE(Property(info, "FromColor").IsDefaultValue(gradient));
    EXPECT_TRUE(Property(info, "ToColor").IsDefaultValue(gradient));
    EXPECT_TRUE(Property(info, "Steps").IsDefaultValue(gradient));
    EXPECT_TRUE(Property(info, "PercentFilling").IsDefaultValue(gradient));
    EXPECT_TRUE(Property(info, "BrushStyle").IsDefaultValue(gradient));
    EXPECT_TRUE(Property(info, "BufferedDraw").IsDefaultValue(gradient));
    // Active and Orientation have no default: they are always written.
    EXPECT_FALSE(Property(info, "Active").IsDefaultValue(gradient));
    EXPECT_FALSE(Property(info, "Orientation").IsDefaultValue(gradient));
}

TEST(GradientReflection, SettersRunThroughReflection) {
    const TClassInfo& info = TGradient::StaticClass();
    TGradient gradient;
    TCounter counter;
    counter.Watch(gradient);
    Property(info, "Steps").SetOrd(gradient, 0);
    EXPECT_EQ(gradient.Steps(), 1);
    Property(info, "Orientation").SetOrd(gradient, fgdRightBias);
    EXPECT_EQ(gradient.Orientation(), fgdRightBias);
    EXPECT_EQ(Property(info, "BrushStyle").EnumType()->NameOf(bsDiagCross), "bsDiagCross");
    EXPECT_EQ(Property(info, "Orientation").EnumType()->ValueOf("FGDVERTCONVERGENT"), 6);
    EXPECT_EQ(Property(info, "FromColor").IdentToOrd("clBtnFace"), static_cast<std::int64_t>(clBtnFace));
    EXPECT_EQ(counter.Count, 2);
}
