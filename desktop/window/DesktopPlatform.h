// The world outside the game window on the Linux desktop: a random number
// generator seeded once, the folder of the executable, sound through
// SDL2_mixer, modal Qt dialogs, blocking pauses that keep the window
// painted, and the immediate end of the program.
#pragma once

#include <cstdint>

#include "desktop/sdl/SoundPlayer.h"
#include "replay/gamerandom.h"
#include "shell/platform.h"

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
    // Silences the sound while the game is paused.
    void setSoundPaused(bool paused) { sound_.setPaused(paused); }
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
};
