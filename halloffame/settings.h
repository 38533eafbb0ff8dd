// The settings a game is played with, as the menus and the speed keys leave
// them, and the board they put a proven game on: the standard board holds
// games played from Start to game over with the settings a game starts
// with; any other setting at Start names its own board, and a setting
// changed during the game puts it on the board of games changed in play.
#pragma once

#include <QString>

class frmVorlane;

struct GameSettings {
    QString skill;          // Easy, Medium, Hard
    QString speed;          // Slow, Med, Fast
    int bombs = 0;
    bool bombSpeedHigh = false;
    QString missile;        // Slow, Medium, Fast, Full
    int tickMs = 0;         // the game's tick, which + and - change

    static GameSettings of(const frmVorlane& form);
    bool operator==(const GameSettings& other) const;
    bool operator!=(const GameSettings& other) const { return !(*this == other); }

    bool standard() const;
    // "Skill Medium, Speed Med, 10 bombs, Bomb Speed Low, Missile Full, 25 ms tick"
    QString text() const;
};

constexpr const char* StandardBoard = "standard";
constexpr const char* ChangedBoard = "changed-during-play";
// The board's name in addresses: standard, changed-during-play, or one made
// of the settings, such as "hard-med-10-low-full-25ms".
QString boardOf(const GameSettings& atStart, bool changedDuringPlay);
