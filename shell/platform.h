// What the game window needs from the world outside it: random numbers,
// the folder the program lives in, sound, modal dialogs, blocking pauses
// and the end of the program. The desktop host gives the real thing; the
// unit tests give a scripted stand-in.
#pragma once

#include <QString>

struct Platform {
    virtual ~Platform() = default;
    virtual float rnd() = 0;                         // uniform in [0, 1)
    virtual QString programDirectory() = 0;          // pictures, sounds and "HS"
    virtual int waveOutDeviceCount() = 0;
    virtual bool playSound(const QString& path, bool async) = 0; // false: not played
    virtual long sendMediaCommand(const QString& command) = 0;
    virtual void messageBox(const QString& text, const QString& title) = 0;
    virtual QString inputBox(const QString& prompt, const QString& title) = 0; // "" on Cancel
    virtual void hold(int milliseconds) = 0;         // blocking pause
    virtual void present() = 0;                      // show the surface now
    virtual void endProgram(int exitStatus) = 0;  // ends at once
};
