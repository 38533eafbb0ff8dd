// Reading the settings off the game's menus and timer, and naming boards.
#include "halloffame/settings.h"

#include "shell/frmVorlane.h"

namespace {

QString checkedOf(std::initializer_list<const MenuItem*> items) {
    for (const MenuItem* item : items)
        if (item->checked()) return item->caption();
    return QStringLiteral("none");
}

}  // namespace

GameSettings GameSettings::of(const frmVorlane& form) {
    GameSettings settings;
    settings.skill = checkedOf({&form.mnuEasy, &form.mnuMedium, &form.mnuHard});
    settings.speed = checkedOf({&form.mnuSlow, &form.mnuMed, &form.mnuFast});
    settings.bombs = form.intBombCount;
    settings.bombSpeedHigh = form.blnBombSpeedHigh;
    settings.missile = checkedOf({&form.mnumis1, &form.mnumis2, &form.mnumis3, &form.mnumis4});
    settings.tickMs = form.Timer2.interval();
    return settings;
}

bool GameSettings::operator==(const GameSettings& other) const {
    return skill == other.skill && speed == other.speed && bombs == other.bombs &&
           bombSpeedHigh == other.bombSpeedHigh && missile == other.missile && tickMs == other.tickMs;
}

bool GameSettings::standard() const {
    return skill == QLatin1String("Medium") && speed == QLatin1String("Med") && bombs == 10 && !bombSpeedHigh &&
           missile == QLatin1String("Full") && tickMs == 25;
}

QString GameSettings::text() const {
    return QStringLiteral("Skill %1, Speed %2, %3 bombs, Bomb Speed %4, Missile %5, %6 ms tick")
        .arg(skill, speed)
        .arg(bombs)
        .arg(bombSpeedHigh ? QStringLiteral("High") : QStringLiteral("Low"), missile)
        .arg(tickMs);
}

QString boardOf(const GameSettings& atStart, bool changedDuringPlay) {
    if (changedDuringPlay) return QString::fromLatin1(ChangedBoard);
    if (atStart.standard()) return QString::fromLatin1(StandardBoard);
    return QStringLiteral("%1-%2-%3-%4-%5-%6ms")
        .arg(atStart.skill.toLower(), atStart.speed.toLower())
        .arg(atStart.bombs)
        .arg(atStart.bombSpeedHigh ? QStringLiteral("high") : QStringLiteral("low"), atStart.missile.toLower())
        .arg(atStart.tickMs);
}
