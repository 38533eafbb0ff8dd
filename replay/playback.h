// A recorded game run again through a fresh game, from its state at Start
// (or, for a file of the first format, from load). The game gets the
// recorded seed's random numbers from where the Start left them, and every
// answer it asks of the world
// outside comes from the recording in order, so no dialog opens and no
// file is read or written. Sound, pauses and showing the window go to an
// outside platform when one is given and while the playback is not quiet;
// without one, they take no time. A question the recording does not answer
// in that place, or an answer nobody asked for, is a fault: the run has
// left the recorded game.
#pragma once

#include <memory>

#include "replay/gamerandom.h"
#include "replay/gamespan.h"
#include "replay/replay.h"
#include "shell/frmVorlane.h"
#include "shell/highscorestore.h"
#include "shell/platform.h"

class Playback : private Platform, private HighScoreStore {
public:
    Playback(const Replay& replay, QString programDirectory, Platform* outside = nullptr);
    ~Playback() override;

    frmVorlane& form() { return *form_; }
    // Quiet: no sound, no pause, nothing shown.
    void setQuiet(bool quiet) { quiet_ = quiet; }

    // The game as it stood at the recording's first event. False when the
    // state at Start is damaged: there is then nothing to play.
    bool load();
    static constexpr const char* DamagedStart = "damaged replay (the game's state at its start)";
    // Nothing more to play: the recording is over, or the run has left it.
    bool atEnd() const { return !ahead_ || !fault_.isEmpty(); }
    // The recorded time of the next event, ms since load; past the last
    // event, the last one's time: it never goes back.
    std::uint32_t nextTime() const;
    // Delivers the next event, with the answers it asks for.
    void step();
    void runTo(std::size_t record);

    // Empty while the run follows the recording.
    const QString& fault() const { return fault_; }
    // The last wave in play, counted as the recorder counts it.
    int wave() const { return span_.wave(); }

private:
    void advance();
    const ReplayRecord* take(ReplayRecord::Kind kind, const char* question);
    void noteFault(const QString& what);
    bool loud() const { return outside_ && !quiet_; }

    float rnd() override { return random_.next(); }
    QString programDirectory() override { return programDirectory_; }
    int waveOutDeviceCount() override;
    bool playSound(const QString& path, bool async) override;
    long sendMediaCommand(const QString&) override { return 0; }
    void messageBox(const QString& text, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title) override;
    void hold(int milliseconds) override;
    void present() override;
    void endProgram(int exitStatus) override;

    std::optional<QByteArray> read() override;
    bool write(const QString&, double) override { return true; }

    const ReplayStart& start_;
    QString programDirectory_;
    Platform* outside_;
    bool quiet_ = false;
    GameRandom random_;
    std::unique_ptr<frmVorlane> form_;
    GameSpan span_;
    RecordReader reader_;
    std::optional<ReplayRecord> ahead_;  // the next record, read
    ReplayRecord answer_;                // the last answer taken
    std::size_t next_ = 0;               // the next record's place
    QString fault_;
};
