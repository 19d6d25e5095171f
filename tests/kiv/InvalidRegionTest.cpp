#include "kiv/Graphics/InvalidRegion.h"

#include <gtest/gtest.h>

using namespace Kiv;

TEST(InvalidRegion, KeepsDistantAreasApartAndMergesTouchingOnes)
{
    InvalidRegion region;
    region.add({0, 0, 10, 10});
    region.add({100, 100, 10, 10});
    region.add({0, 0, 0, 5});
    ASSERT_EQ(region.get_rectangles().size(), 2u);

    // Touching the first, then bridging both: one rectangle around everything.
    region.add({10, 0, 5, 5});
    EXPECT_EQ(region.get_rectangles().size(), 2u);
    EXPECT_EQ(region.get_rectangles()[1], (Rect{0, 0, 15, 10}));
    region.add({5, 5, 100, 100});
    ASSERT_EQ(region.get_rectangles().size(), 1u);
    EXPECT_EQ(region.get_rectangles()[0], (Rect{0, 0, 110, 110}));

    // Taking clips to the window and empties the region.
    const Bex::Vector<Rect> taken = region.take({0, 0, 50, 60});
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0], (Rect{0, 0, 50, 60}));
    EXPECT_TRUE(region.is_empty());
}

TEST(InvalidRegion, ManyPiecesBecomeOneBox)
{
    InvalidRegion region;
    for (int32_t index = 0; index <= int32_t(InvalidRegion::MaximumRectangles); ++index)
        region.add({index * 20, index * 20, 5, 5});
    ASSERT_EQ(region.get_rectangles().size(), 1u);
    const int32_t last = int32_t(InvalidRegion::MaximumRectangles) * 20 + 5;
    EXPECT_EQ(region.get_rectangles()[0], (Rect{0, 0, last, last}));
}
