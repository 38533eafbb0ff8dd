// The world outside the game window on the Linux desktop: a random number
// generator seeded once, the folder of the executable, sound through
// SDL2_mixer, modal Qt dialogs, blocking pauses during which the window
// goes on answering, and the immediate end of the program.
#pragma once

#include <cstdint>
#include <functional>

#include "desktop/sdl/SoundPlayer.h"
#include "replay/gamerandom.h"
#include "shell/platform.h"

class QTimer;
class SurfaceWidget;

class DesktopPlatform : public Platform {
public:
    DesktopPlatform();

    // The widget that shows the game; pauses and presents repaint it, and
    // dialogs open over its window.
    void attach(SurfaceWidget& view) { view_ = &view; }
    // True while a message box or an input box is open: the game's timers
    // must not tick then.
    bool dialogOpen() const { return dialogOpen_; }
    // While the game is paused its sound is silent and a blocking pause
    // stops counting.
    void setPaused(bool paused);
    // What must be done before the program ends at once (replays still
    // being written).
    void beforeEnd(std::function<void()> finish) { beforeEnd_ = std::move(finish); }
    // Where the random numbers of this run started: a recording keeps it.
    std::uint32_t seed() const { return random_.seed(); }

    float rnd() override;
    QString programDirectory() override;
    int waveOutDeviceCount() override;
    bool playSound(const QString& path, bool async) override;
    long sendMediaCommand(const QString& command) override;
    void messageBox(const QString& text, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title) override;
    void hold(int milliseconds) override;
    void present() override;
    [[noreturn]] void endProgram(int exitStatus) override;

private:
    QWidget* dialogParent();

    GameRandom random_;
    SoundPlayer sound_;
    SurfaceWidget* view_ = nullptr;
    bool dialogOpen_ = false;
    bool paused_ = false;
    // The clock of the blocking pause going on, if any.
    QTimer* holdClock_ = nullptr;
    int holdLeft_ = 0;
    std::function<void()> beforeEnd_;
};
