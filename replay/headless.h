// The Qt application of a command that plays replays with no window (the
// hall's proofs and films, the game's --verify): Qt on its offscreen
// platform whatever the command line or the environment asked, and what Qt
// would say of the machine (no runtime folder, say) kept off the terminal,
// which carries only the command's own answer.
#pragma once

#include <QGuiApplication>

#include <optional>

class HeadlessApplication {
public:
    // program: argv[0], which Qt reads the program's folder from.
    explicit HeadlessApplication(char* program);
    HeadlessApplication(const HeadlessApplication&) = delete;
    HeadlessApplication& operator=(const HeadlessApplication&) = delete;

private:
    int argc_ = 1;  // Qt keeps a reference to it
    char* argv_[2];
    std::optional<QGuiApplication> app_;
};
