// The pause of the desktop program. The Pause key switches it on and off
// in any state; a game in play also pauses by itself while the player is
// away, that is while its window is minimised or the keyboard has gone to
// another program, and goes on when the player comes back, unless the key
// paused it. The attract display never pauses by itself, and a program that
// has not had the keyboard yet is not away. While paused the sound is
// silent, a blocking pause of the game stops counting, the play area shows
// a still picture under a "PAUSED" sign, and the window's door keeps every
// new key, command and tick from the game.
#pragma once

#include <QObject>

#include <functional>

class DesktopPlatform;
class Door;
class QWidget;
class SurfaceWidget;
class frmVorlane;

class Pause : public QObject {
public:
    Pause(QWidget& window, const frmVorlane& form, DesktopPlatform& platform, SurfaceWidget& view, Door& door);

    bool active() const { return byKey_ || away_; }
    // The Pause key.
    void toggle();
    // Told each time the pause starts or ends.
    void onChange(std::function<void(bool)> changed) { changed_ = std::move(changed); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateAway();
    void change(bool byKey, bool away);

    QWidget& window_;
    const frmVorlane& form_;
    DesktopPlatform& platform_;
    SurfaceWidget& view_;
    Door& door_;
    bool byKey_ = false;
    bool away_ = false;
    bool hadKeyboard_ = false;
    std::function<void(bool)> changed_;
};
