// The platform and the high-score store a recorded game sees: it passes
// everything on to the real ones and writes each answer they give into
// the session's log, the "HS" bytes read, the number of sound devices,
// the typed name and the About box closing. Random numbers need no record:
// they come from the log's generator, whose seed rebuilds them.
#pragma once

#include "replay/sessionlog.h"
#include "shell/highscorestore.h"
#include "shell/platform.h"

class RecordingPlatform : public Platform, public HighScoreStore {
public:
    RecordingPlatform(Platform& outside, HighScoreStore& scores, SessionLog& log)
        : outside_(outside), scores_(scores), log_(log) {}

    float rnd() override { return log_.draw(); }
    QString programDirectory() override { return outside_.programDirectory(); }
    int waveOutDeviceCount() override;
    bool playSound(const QString& path, bool async) override { return outside_.playSound(path, async); }
    long sendMediaCommand(const QString& command) override { return outside_.sendMediaCommand(command); }
    void messageBox(const QString& text, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title) override;
    void hold(int milliseconds) override { outside_.hold(milliseconds); }
    void present() override { outside_.present(); }
    void endProgram(int exitStatus) override { outside_.endProgram(exitStatus); }

    std::optional<QByteArray> read() override;
    bool write(const QString& name, double score) override { return scores_.write(name, score); }

private:
    Platform& outside_;
    HighScoreStore& scores_;
    SessionLog& log_;
};
