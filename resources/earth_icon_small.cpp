// The window icon drawn again for 16 x 16, where the 32 x 32 Earth shrunk
// would lose its outline and blur its land into the sea: a round black
// outline, one row of polar ice at each pole, two green continents, and
// the same light from the upper left, in the same palette.
#include "resources/resources.h"

#include <map>

QImage earthIconSmall()
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
    QImage icon(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) icon.setPixel(x, y, palette.at(rows[y][x]));
    return icon;
}
