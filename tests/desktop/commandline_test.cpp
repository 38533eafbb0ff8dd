// The command line: Qt's own options pass to Qt whatever their dashes,
// with the platform and the display kept for the display check, and what
// is left is the game's: a replay to watch or verify, or an option nobody
// knows, which ends with status 2.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/startup/CommandLine.h"

namespace {

CommandLine read(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "vorlane");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    return readCommandLine(static_cast<int>(argv.size()), argv.data());
}

}  // namespace

TEST(CommandLine, QtsOwnOptionsAreLeftToQtAndTheGameReadsTheRest) {
    const CommandLine play = read({"-platform", "offscreen", "-style", "Fusion", "--display", ":3", "-reverse",
                                   "-stylesheet=dark.qss", "-qwindowtitle", "Arcade"});
    EXPECT_EQ(play.mode, CommandLine::Mode::Play);
    EXPECT_EQ(play.platform, "offscreen");
    EXPECT_EQ(play.display, ":3");

    const CommandLine watch = read({"--platform", "wayland", "best.vorlane-replay"});
    EXPECT_EQ(watch.mode, CommandLine::Mode::Replay);
    EXPECT_EQ(watch.file, "best.vorlane-replay") << "the platform's name is not taken for the file";
    EXPECT_EQ(watch.platform, "wayland");

    const CommandLine verify = read({"-name", "vorlane", "--verify", "best.vorlane-replay"});
    EXPECT_EQ(verify.mode, CommandLine::Mode::Verify);
    EXPECT_EQ(verify.file, "best.vorlane-replay");

    const CommandLine unknown = read({"--fullscreen"});
    EXPECT_EQ(unknown.mode, CommandLine::Mode::Done);
    EXPECT_EQ(unknown.status, 2);
}
