// The window icon: the Earth seen from space, 32 x 32 with transparent
// corners. Green continents lie on a blue ocean under white polar caps,
// lit from the upper left and darkening towards the lower right, inside a
// black outline. Kept as rows of characters with a palette.
#include "resources/resources.h"

#include <map>

QImage earthIcon()
{
    static const std::map<char, QRgb> palette = {
        {'.', qRgba(0, 0, 0, 0)},       // space around the globe
        {'K', qRgb(0, 0, 0)},           // outline
        {'w', qRgb(235, 245, 255)},     // polar ice
        {'B', qRgb(70, 140, 235)},      // sunlit ocean
        {'b', qRgb(30, 90, 200)},       // ocean
        {'n', qRgb(15, 50, 130)},       // ocean in the dusk
        {'G', qRgb(110, 200, 80)},      // sunlit land
        {'g', qRgb(50, 150, 50)},       // land
        {'d', qRgb(30, 95, 35)},        // land in the dusk
    };
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
    QImage icon(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) icon.setPixel(x, y, palette.at(rows[y][x]));
    return icon;
}
