// Helpers of the common test scene.
#include "tests/support/GameTest.h"

int GameTest::count(const QRect& area, Long colour) const {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (pixel(x, y) == colour) ++n;
    return n;
}
