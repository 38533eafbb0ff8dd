// The game's own pace in a playback with no window: the recorded times of
// its events, and its pauses (a wave's opening, the ship's explosion, the
// game over). A game recorded in the window counts its pauses in those
// times; one recorded without a window does not, and its events after a
// pause come that much later, as they would have in the window. The clock
// counts from the first event; the pauses move it on.
#pragma once

#include "shell/platform.h"

class Pace : public Platform {
public:
    // The moment the event recorded at recordedMs comes, now the clock's.
    qint64 reach(qint64 recordedMs);
    qint64 now() const { return clock_; }

protected:
    // A pause of the game begins now; the clock moves on by it after.
    virtual void pausing(int) {}
    bool playSound(const QString&, bool) override { return false; }

private:
    void hold(int milliseconds) final;
    // The playback answers these from the recording.
    float rnd() override { return 0; }
    QString programDirectory() override { return {}; }
    int waveOutDeviceCount() override { return 0; }
    long sendMediaCommand(const QString&) override { return 0; }
    void messageBox(const QString&, const QString&) override {}
    QString inputBox(const QString&, const QString&) override { return {}; }
    void present() override {}
    void endProgram(int) override {}

    qint64 origin_ = -1;
    qint64 late_ = 0;  // how much later than recorded the events come
    qint64 clock_ = 0;
};
