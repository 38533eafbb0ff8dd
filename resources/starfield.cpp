// The starfield behind the play area: a black sky of 549 x 219 pixels with
// 74 stars from a table (mostly single white pixels, a few small clusters
// and one big sparkle, some of them tinted) and a thick grey crescent moon
// at the top right, drawn as a disc with a second disc of shadow over its
// left side, shaded along its dark edge and marked with a few craters.
// Eight colours in all, black included.
#include "resources/resources.h"

namespace {

constexpr int Width = 549;
constexpr int Height = 219;

const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb Yellow = qRgb(255, 230, 90);
const QRgb Orange = qRgb(255, 150, 40);
const QRgb DarkRed = qRgb(150, 20, 20);
const QRgb LightBlue = qRgb(150, 200, 255);
const QRgb MoonLight = qRgb(200, 200, 200);
const QRgb MoonShade = qRgb(128, 128, 128);

// A star's pixels as rows from its top left corner.
struct Shape {
    const char* rows[5];
};
const Shape Dot{{"#"}};
const Shape Block2{{"##", "##"}};
const Shape Block3{{"###", "###", "###"}};
const Shape Block4{{".##.", "####", "####", ".##."}};
const Shape Sparkle{{"..#..", ".###.", "#####", ".###.", "..#.."}};

struct Star {
    int x, y;
    const Shape& shape;
    QRgb colour;
};

// The stars from the top of the sky down.
const Star Stars[] = {
    {331,   3, Dot, White},
    {233,   5, Dot, LightBlue},
    {294,  12, Dot, White},
    {523,  15, Dot, White},
    {490,  16, Dot, White},
    {137,  20, Dot, White},
    {305,  35, Dot, White},
    {445,  35, Dot, White},
    { 54,  39, Dot, White},
    {225,  43, Dot, DarkRed},
    {421,  43, Dot, White},
    { 31,  44, Block4, Yellow},
    {300,  46, Dot, White},
    {441,  48, Sparkle, White},
    {133,  52, Block2, White},
    {281,  54, Dot, Orange},
    { 77,  56, Block2, Yellow},
    { 16,  57, Dot, White},
    { 53,  67, Dot, White},
    {337,  72, Dot, White},
    {129,  77, Dot, White},
    { 12,  81, Block2, White},
    {314,  82, Dot, White},
    {332,  82, Dot, White},
    {424,  83, Dot, White},
    {253,  88, Dot, White},
    { 57,  94, Dot, LightBlue},
    {224,  97, Dot, White},
    {474,  99, Dot, Yellow},
    {131, 102, Block4, White},
    {327, 102, Dot, Yellow},
    {401, 102, Dot, White},
    {243, 103, Dot, White},
    {374, 104, Dot, White},
    {508, 104, Dot, White},
    {298, 109, Dot, LightBlue},
    {167, 110, Dot, White},
    {284, 112, Dot, White},
    {327, 113, Dot, White},
    {433, 121, Dot, White},
    {162, 126, Dot, White},
    {490, 130, Dot, Yellow},
    {304, 131, Block3, White},
    {454, 136, Dot, White},
    { 39, 139, Block4, DarkRed},
    {382, 139, Dot, White},
    {249, 143, Dot, LightBlue},
    {261, 145, Dot, White},
    {175, 147, Block2, White},
    {476, 147, Dot, White},
    {416, 148, Dot, White},
    {312, 156, Dot, White},
    { 80, 157, Dot, White},
    {458, 161, Dot, White},
    {502, 168, Dot, White},
    {344, 172, Dot, White},
    {519, 177, Dot, White},
    { 59, 179, Block3, White},
    {222, 180, Dot, White},
    {488, 181, Dot, White},
    {325, 188, Dot, White},
    {138, 189, Block2, White},
    {223, 190, Block3, White},
    {104, 196, Dot, DarkRed},
    {429, 198, Dot, White},
    { 16, 199, Dot, Orange},
    {298, 199, Block3, Orange},
    {387, 199, Dot, White},
    {336, 202, Dot, White},
    { 63, 205, Dot, White},
    {200, 209, Dot, White},
    {165, 210, Dot, White},
    {121, 213, Dot, White},
    {141, 216, Dot, White},
};

// The moon: a lit disc whose left part lies in the shadow of a second,
// slightly larger disc further left. Pixels within a few pixels of the
// shadow's edge, and inside the craters, take the darker grey.
struct Disc {
    double x, y, radius;
    bool covers(double px, double py) const
    {
        return (px - x) * (px - x) + (py - y) * (py - y) <= radius * radius;
    }
};
const Disc Moon{519, 51, 23.5};
const Disc Shadow{489.5, 51, 25.4};
const Disc Terminator{489.5, 51, 28.4};
const Disc Craters[] = {{533, 44, 2.5}, {528, 60, 2}, {536, 56, 1.5}, {524, 36, 1.5}};

void drawMoon(QImage& sky)
{
    for (int y = int(Moon.y - Moon.radius); y <= int(Moon.y + Moon.radius); ++y)
        for (int x = int(Moon.x - Moon.radius); x <= int(Moon.x + Moon.radius); ++x) {
            if (!Moon.covers(x, y) || Shadow.covers(x, y)) continue;
            bool shaded = Terminator.covers(x, y);
            for (const Disc& crater : Craters) shaded = shaded || crater.covers(x, y);
            sky.setPixel(x, y, shaded ? MoonShade : MoonLight);
        }
}

void drawStar(QImage& sky, const Star& star)
{
    for (int y = 0; y < 5 && star.shape.rows[y]; ++y)
        for (int x = 0; star.shape.rows[y][x] != '\0'; ++x)
            if (star.shape.rows[y][x] == '#') sky.setPixel(star.x + x, star.y + y, star.colour);
}

} // namespace

QImage starfieldPicture()
{
    QImage sky(Width, Height, QImage::Format_RGB32);
    sky.fill(Black);
    for (const Star& star : Stars) drawStar(sky, star);
    drawMoon(sky);
    return sky;
}
