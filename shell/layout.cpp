// The window as it is designed, before anything runs: the labels, images,
// timers and menus with their positions, captions, colours and fonts.
#include <QFont>

#include "resources/resources.h"
#include "shell/frmVorlane.h"

namespace {

// Our credits, shown by Help > About. The runs of spaces keep the
// sentences apart when the text wraps in its box; the whole text fits the
// box's 145 rows at its font.
const char* const Credits =
    "VORLANE  -  a defence of the home world.     "
    "Thirty invaders march on the planet; one small ship and five bases stand in their way.     "
    "Shoot them down before they land, and catch the mothership for a bonus.     "
    "Steer with the arrows, fire with Shift or Ctrl; Enter brings back the menu.     "
    "Game, pictures and sounds by the Vorlane team.     "
    "Good luck, pilot.";

}  // namespace

frmVorlane::frmVorlane(Platform& platform_) : platform(platform_) {
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    caption = QStringLiteral("   ");
    surface.setPicture(starfieldPicture());
    designImages();
    designLabels();
    designTimers();
    designMenus();
}

void frmVorlane::designLabels() {
    const Long green = RGB(0, 255, 0), black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    const Long darkGreen = RGB(0, 128, 0), red = RGB(255, 0, 0), darkRed = RGB(192, 0, 0);
    const Long blue = RGB(0, 0, 192);
    const QString serif = QStringLiteral("Times New Roman"), sans = QStringLiteral("MS Sans Serif");
    Label1.design({2, 0, 321, 25, "High Score : ", green, black, serif, 14.25, false, true});
    Label2.design({424, 0, 73, 25, "Lives : 0", green, black, serif, 14.25, false, true});
    Label3.design({504, 0, 129, 25, "Score : 0", green, black, serif, 14.25, false, true});
    lblwave.design({328, 0, 89, 25, "Wave : 1", green, black, serif, 14.25, false, true});
    lblspeed.design({8, 24, 49, 25, "25", darkGreen, black, sans, 13.5, true, false});
    lblbonus.design({10, 52, 63, 23, "  1000", red, black, sans, 13.5, true, true});
    Label5.design({104, 32, 441, 25, "  KEYS : LEFT AND RIGHT ARROWS, SHIFT/CTRL=Fire, ENTER=Menu ",
                   white, blue, sans, 9.75, false, false});
    Label6.design({104, 64, 441, 145, Credits, white, blue, sans, 12, false, false, Qt::AlignLeft, true});
    lblGameOver.design({216, 216, 209, 33, "GAME OVER", darkRed, black, sans, 24, true, true});
    lblRating.design({104, 272, 441, 41, QString::fromUtf8("...::\u00A6::..."), darkRed, black, sans, 24, true,
                      false, Qt::AlignHCenter});
    for (Label* label : labels()) surface.addLabel(*label);
}

std::array<Label*, 10> frmVorlane::labels() {
    return {&Label1, &Label2, &Label3, &lblwave, &lblspeed, &lblbonus, &Label5, &Label6, &lblGameOver, &lblRating};
}

void frmVorlane::designImages() {
    Image36.design(16, 384, 33, 57);
    Imgmothership.design(48, 216, 73, 33);
    const int baseLeft[5] = {152, 264, 376, 488, 40};
    for (int i = 0; i < 5; ++i) imgbases[i].design(baseLeft[i], 320, 73, 57);
    // The design grid of the invaders: element index at each place.
    const int grid[5][6] = {{0, 10, 11, 12, 13, 14},
                            {9, 8, 1, 2, 3, 15},
                            {17, 6, 7, 4, 5, 16},
                            {18, 19, 20, 21, 22, 23},
                            {24, 25, 26, 27, 28, 29}};
    const int gridLeft[6] = {8, 40, 72, 104, 136, 168};
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 6; ++column) {
            const int index = grid[row][column];
            const int left = index == 27 ? 112 : gridLeft[column];
            inv[index].design(left, 40 + 32 * row, 17, 17);
        }
    surface.addImage(Image36);
    surface.addImage(Imgmothership);
    for (Image& base : imgbases) surface.addImage(base);
    for (Image& invader : inv) surface.addImage(invader);
}

void frmVorlane::designTimers() {
    Timer1.setInterval(1000);
    Timer2.setInterval(25);
    Timer3.setInterval(500);
    Timer4.setInterval(60);
    Timer6.setInterval(30);
}

std::array<MenuItem*, 8> frmVorlane::menuBar() {
    return {&mnuGame, &mnuSkill, &mnuSpeed, &mnuBombs, &mnuBombSpeed, &mnuMissile, &mnuOptions, &mnuHelp};
}

void frmVorlane::designMenus() {
    mnuGame.design("Game", {&mnuStart, &mnuExit});
    mnuStart.design("Start");
    mnuExit.design("Exit");
    mnuSkill.design("Skill", {&mnuEasy, &mnuMedium, &mnuHard});
    mnuEasy.design("Easy");
    mnuMedium.design("Medium");
    mnuHard.design("Hard");
    mnuSpeed.design("Speed", {&mnuSlow, &mnuMed, &mnuFast});
    mnuSlow.design("Slow");
    mnuMed.design("Med");
    mnuFast.design("Fast");
    mnuBombs.design("Bombs", {&mnu1, &mnu2, &mnu3, &mnu4, &mnu5, &mnu6, &mnu7, &mnu8, &mnu9, &mnu10, &mnu15,
                              &mnu20, &mnu25, &mnu30});
    const int bombCounts[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30};
    for (std::size_t n = 0; n < mnuBombs.items().size(); ++n)
        mnuBombs.items()[n]->design(QString::number(bombCounts[n]));
    mnuBombSpeed.design("Bomb Speed", {&mnuLow, &mnuHigh});
    mnuLow.design("Low");
    mnuHigh.design("High");
    mnuMissile.design("Missile", {&mnumis1, &mnumis2, &mnumis3, &mnumis4});
    mnumis1.design("Slow");
    mnumis2.design("Medium");
    mnumis3.design("Fast");
    mnumis4.design("Full");
    mnuOptions.design("Options", {&mnuMusicon, &mnuSound, &mnuHidemenu});
    mnuMusicon.design("Music on");
    mnuSound.design("Sound on");
    mnuHidemenu.design("Hide menu");
    mnuHelp.design("Help", {&mnuKeys, &mnuAbout});
    mnuKeys.design("Keys");
    mnuAbout.design("About");

    // Check marks at start. Bomb Speed starts on Low, the speed bombs
    // really fall at until the player chooses.
    mnuMedium.setChecked(true);
    mnuMed.setChecked(true);
    mnu10.setChecked(true);
    mnuLow.setChecked(true);
    mnumis4.setChecked(true);
    mnuSound.setChecked(true);
    mnuMusicon.setEnabled(false);

    connectMenus();
}
