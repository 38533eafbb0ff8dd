// The platform the unit tests give the game: random numbers from a script,
// a fresh program directory holding our pictures and sounds, and a record
// of every sound, dialog, pause and exit. Nothing sleeps and nothing
// reaches the screen or the speakers.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <optional>
#include <random>

#include "shell/platform.h"

struct TestPlatform : Platform {
    TestPlatform();

    // Random numbers: the script first, in order, then a fixed sequence.
    std::deque<float> script;
    void queue(std::initializer_list<float> values) { script.insert(script.end(), values); }
    int draws = 0;

    QTemporaryDir folder;
    int devices = 1;
    QStringList played;          // file names of the sounds that played
    QStringList requested;       // file names of every sound the game asked for
    QStringList mediaCommands;
    QStringList messages;        // text of every message box
    QStringList prompts;         // prompt of every input box
    QStringList promptTitles;
    std::deque<QString> answers; // what the player types, "" for Cancel
    int holds = 0;
    int holdMilliseconds = 0;
    int presents = 0;
    std::optional<int> exitStatus;
    // Runs inside every pause and every dialog, to look at the window then.
    std::function<void()> duringHold;
    std::function<void()> duringDialog;

    // Removes one of the files beside the program.
    void remove(const QString& fileName) { QFile::remove(path(fileName)); }
    QString path(const QString& fileName) const { return folder.filePath(fileName); }

    float rnd() override;
    QString programDirectory() override { return folder.path(); }
    int waveOutDeviceCount() override { return devices; }
    bool playSound(const QString& path, bool async) override;
    long sendMediaCommand(const QString& command) override {
        mediaCommands << command;
        return 0;
    }
    void messageBox(const QString& text, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title) override;
    void hold(int milliseconds) override;
    void present() override { ++presents; }
    void endProgram(int status) override { exitStatus = status; }

private:
    std::mt19937 fallback{20261207};
};
