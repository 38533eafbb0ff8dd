// The window icon: the Earth seen from space, 32 x 32 with transparent
// corners. Green continents lie on a blue ocean under white polar caps,
// lit from the upper left and darkening towards the lower right, inside a
// black outline. Kept as rows of characters with a palette.
#include "resources/resources.h"

#include "resources/earth_palette.h"

QImage earthIcon()
{
    static const char* const rows[32] = {
        ".............KKKKKK.............",
        "..........KKKwwwwwwKKK..........",
        "........KKwwwwwwwwwwwwKK........",
        "......KKBBBBBBBBBBBBBbbbKK......",
        ".....KBBBBBBBBBBBBBGGGbbbbK.....",
        "....KBBGGGGGBBBBBGGGGGGGbbbK....",
        "...KBGGGGGGGGGBBGGGGGGGggbbbK...",
        "...KBGGGGGGGGGBBBGGGGGggbbbbK...",
        "..KBGGGGGGGGGGGBbbbGGggggbbbbK..",
        "..KBBGGGGGGGGGBbbbbbgggggbbbbK..",
        ".KBBGGGGGGGGGGbbbbbgggggggbbbbK.",
        ".KBBGGGGGGGGBbbbbbbbgggggbbbbbK.",
        ".KBGGGGGGGBGbbbbbbbbgggggggbbbK.",
        "KBBBGGGGGGGGGGbbbbbbbgggggggbnnK",
        "KBBBGGGGGGGGGGbbbbbbggggggggdnnK",
        "KBBBBGGGBGGGGGbbbbbbbggggggdnnnK",
        "KBBBBBGBbbbGGgbbbbbbggggggdnnnnK",
        "KBBBBBBbbbGGgggbbbbggggggdnnnnnK",
        "KBBBBBbbbbGggggbbbbbgggbdddnnnnK",
        ".KBBBbbbbGggggggbbbbbgbndddnnnK.",
        ".KBBbbbbbbgggggbbbbbbbndddddnnK.",
        ".KBbbbbbbbgggggbbbbbbnnndddnnnK.",
        "..KbbbbbbbbggggbbbbbnnnndddnnK..",
        "..KbbbbbbbbbgggbbbbnnnnnndnnnK..",
        "...KbbbbbbbgggggbbnnnnnnnnnnK...",
        "...KbbbbbbbbgggbbnndddddnnnnK...",
        "....KbbbbbbbgggbnndddddddnnK....",
        ".....KbbbbbbbgbnnnndddddnnK.....",
        "......KKbbbbbbnnnnnnnnnnKK......",
        "........KKwwwwwwwwwwwwKK........",
        "..........KKKwwwwwwKKK..........",
        ".............KKKKKK.............",
    };
    return paintEarth(rows, 32);
}
