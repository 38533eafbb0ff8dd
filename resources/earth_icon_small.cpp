// The window icon drawn again for 16 x 16, where the 32 x 32 Earth shrunk
// would lose its outline and blur its land into the sea: a round black
// outline, one row of polar ice at each pole, two green continents, and
// the same light from the upper left, in the same palette.
#include "resources/resources.h"

#include "resources/earth_palette.h"

QImage earthIconSmall()
{
    static const char* const rows[16] = {
        ".....KKKKKK.....",
        "...KKwwwwwwKK...",
        "..KBBBBBBBBbbK..",
        ".KBGGGBBBBGGbbK.",
        ".KBGGGGBBGGGgbK.",
        "KBGGGGGBBGGGgbbK",
        "KBGGGGBBbGGggbbK",
        "KBBGGGBbbbgggbnK",
        "KBBBGGbbbbggdbnK",
        "KBBBBGbbbbgddnnK",
        "KBBbbGgbbbbdnnnK",
        ".KbbbbggbbbnnnK.",
        ".KbbbbbgbbnnnnK.",
        "..KbbbbbbnnnnK..",
        "...KKwwwwwwKK...",
        ".....KKKKKK.....",
    };
    return paintEarth(rows, 16);
}
