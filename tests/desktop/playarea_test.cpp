// The play area's place in the window: the largest whole scale that fits,
// centred, whichever side is the tighter one.
#include <gtest/gtest.h>

#include "desktop/window/PlayArea.h"

TEST(PlayAreaTest, TakesTheLargestWholeScaleThatFitsAndCentresIt) {
    EXPECT_EQ(placeSurface({627, 436}), QRect(0, 0, 627, 436)) << "scale 1 fills the smallest window";
    EXPECT_EQ(placeSurface({1254, 872}), QRect(0, 0, 1254, 872));
    EXPECT_EQ(wholeScale({1253, 872}), 1) << "one column short of scale 2";
    EXPECT_EQ(wholeScale({1254, 871}), 1) << "one row short of scale 2";

    // A wide screen: the height decides, and the borders left and right
    // share the rest, the odd column going to the right.
    EXPECT_EQ(placeSurface({1920, 1080}), QRect(333, 104, 1254, 872));
    EXPECT_EQ(placeSurface({1921, 1080}).left(), 333);
    // A tall one: the width decides.
    EXPECT_EQ(placeSurface({1300, 2000}), QRect(23, 564, 1254, 872));
    EXPECT_EQ(wholeScale({3840, 2160}), 4);

    // Too small for scale 1: the surface stays whole at the top left.
    EXPECT_EQ(placeSurface({300, 200}), QRect(0, 0, 627, 436));
}
