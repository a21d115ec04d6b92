#include "gfx/Geometry.h"

#include <gtest/gtest.h>

TEST(Geometry, IntersectAndUnionTreatEmptyRectanglesAsNothing)
{
    const TRect a = Rect(0, 0, 10, 10);
    const TRect b = Rect(5, -5, 20, 8);
    EXPECT_EQ(a.Intersect(b), Rect(5, 0, 10, 8));
    EXPECT_EQ(a.Union(b), Rect(0, -5, 20, 10));
    // Touching edges share nothing (right and bottom are exclusive).
    EXPECT_EQ(a.Intersect(Rect(10, 0, 20, 10)), TRect{});
    EXPECT_EQ(a.Intersect(Rect(30, 30, 40, 40)), TRect{});
    // An empty or inverted rectangle adds nothing to a union, wherever it lies.
    const TRect inverted = Rect(50, 50, 40, 60);
    EXPECT_EQ(a.Union(inverted), a);
    EXPECT_EQ(inverted.Union(a), a);
    EXPECT_EQ(inverted.Union(Rect(-3, -3, -3, 9)), TRect{});
    EXPECT_EQ(inverted.Intersect(a), TRect{});
}
