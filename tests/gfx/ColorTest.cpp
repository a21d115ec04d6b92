#include "gfx/Brush.h"
#include "gfx/Color.h"
#include "gfx/MulDiv.h"
#include "gfx/Pen.h"

#include <gtest/gtest.h>

TEST(Color, SystemColoursResolveThroughTheTable)
{
    EXPECT_EQ(clBtnFace, 0xFF00000Fu);
    EXPECT_EQ(clBtnHighlight, 0xFF000014u);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clBtnShadow), 0x808080u);
    EXPECT_EQ(ColorToRGB(clBtnHighlight), 0xFFFFFFu);
    EXPECT_EQ(ColorToRGB(clBtnText), 0x000000u);
    EXPECT_EQ(ColorToRGB(clGrayText), 0x808080u);
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), 0x404040u);
    EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFFu);
    EXPECT_EQ(ColorToRGB(clSystemColor | 200), 0u); // unknown number
    // Plain colours and the special values pass unchanged.
    EXPECT_EQ(ColorToRGB(0x003E9EFF), 0x003E9EFFu);
    EXPECT_EQ(ColorToRGB(clNone), 0x1FFFFFFFu);
    EXPECT_EQ(ColorToDrawRGB(clNone), 0xFFFFFFu);
    EXPECT_EQ(GetRValue(clRed), 255);
    EXPECT_EQ(GetBValue(clBlue), 255);
    EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
}

TEST(Color, NamesAreFoundWithoutRegardToCase)
{
    TColor c = 0;
    ASSERT_TRUE(IdentToColor("CLBTNFACE", c));
    EXPECT_EQ(c, clBtnFace);
    ASSERT_TRUE(IdentToColor("clNone", c));
    EXPECT_EQ(c, clNone);
    EXPECT_FALSE(IdentToColor("clBtnFac", c));
    std::string name;
    ASSERT_TRUE(ColorToIdent(clYellow, name));
    EXPECT_EQ(name, "clYellow");
    EXPECT_FALSE(ColorToIdent(0x123456, name));
}

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(5, 1, -2), -3);
    EXPECT_EQ(MulDiv(-5, -1, 2), 3);
    EXPECT_EQ(MulDiv(7, 1, 3), 2);
    EXPECT_EQ(MulDiv(-7, 1, 3), -2);
    EXPECT_EQ(MulDiv(0, 5, 3), 0);
}

TEST(MulDiv, UsesA64BitIntermediateAndFailsWithMinusOne)
{
    EXPECT_EQ(MulDiv(2000000000, 2000000000, 2000000000), 2000000000);
    EXPECT_EQ(MulDiv(-2147483647 - 1, 1, 1), -2147483647 - 1);
    EXPECT_EQ(MulDiv(5, 7, 0), -1);
    EXPECT_EQ(MulDiv(2000000000, 2, 1), -1); // does not fit
}

TEST(MulDiv, GivesThePercentagesOfPosterPlacement)
{
    EXPECT_EQ(MulDiv(1200, 100, 1024), 117);
    EXPECT_EQ(MulDiv(798, 100, 768), 104);
    EXPECT_EQ(MulDiv(798, 100, 117), 682);
    EXPECT_EQ(MulDiv(3008, 100, 185), 1626);
    EXPECT_EQ(MulDiv(1200, 100, 74), 1622);
    EXPECT_EQ(MulDiv(798, 100, 63), 1267);
    // A gradient band: row 10 of 20 from 0x4E to 0xFF.
    EXPECT_EQ(0x4E + MulDiv(10, 0xFF - 0x4E, 19), 171);
}

TEST(PenBrush, ChangeIsReportedOnlyForRealChanges)
{
    int penChanges = 0;
    TPen pen;
    pen.OnChange = [&] { ++penChanges; };
    pen.SetColor(clBlack);
    pen.SetWidth(1);
    pen.SetStyle(psSolid);
    EXPECT_EQ(penChanges, 0);
    pen.SetWidth(7);
    pen.SetWidth(-3); // clamped to 0
    EXPECT_EQ(pen.Width(), 0);
    EXPECT_EQ(penChanges, 2);
    TPen other;
    other.SetColor(clRed);
    other.SetStyle(psDot);
    pen.Assign(other);
    EXPECT_EQ(penChanges, 3);
    pen.Assign(other);
    EXPECT_EQ(penChanges, 3);
    EXPECT_TRUE(pen.SameValues(other));

    int brushChanges = 0;
    TBrush brush;
    brush.OnChange = [&] { ++brushChanges; };
    EXPECT_EQ(brush.Color(), clWhite);
    brush.SetStyle(bsSolid);
    brush.SetStyle(bsCross);
    brush.SetColor(clBtnFace);
    EXPECT_EQ(brushChanges, 2);
}
