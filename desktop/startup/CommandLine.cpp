// Reading the command line before any window exists: --verify must run
// where there is no display at all.
#include "desktop/startup/CommandLine.h"

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace {

void say(std::FILE* to, const QString& text) { std::fputs(qPrintable(text), to); }

// Qt's own options, which QApplication takes out of the command line.
const QStringList ToolkitOptionsWithValue = {
    QStringLiteral("platform"),   QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),     QStringLiteral("qwindowgeometry"),    QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"), QStringLiteral("geometry"),         QStringLiteral("icon"),
    QStringLiteral("title"),      QStringLiteral("session"),            QStringLiteral("display"),
    QStringLiteral("name"),       QStringLiteral("style"),              QStringLiteral("stylesheet")};
const QStringList ToolkitFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
                                  QStringLiteral("dograb"), QStringLiteral("sync")};
const QStringList ToolkitOptionsWithEquals = {QStringLiteral("style="), QStringLiteral("stylesheet="),
                                              QStringLiteral("qmljsdebugger="), QStringLiteral("dialogs="),
                                              QStringLiteral("fontengine=")};

// The option's name without its dash or dashes; empty for anything else.
QString optionName(const QString& argument) {
    if (argument.startsWith(QLatin1String("--"))) return argument.mid(2);
    if (argument.startsWith(QLatin1Char('-'))) return argument.mid(1);
    return {};
}

// The hall a player runs on the same machine with ./hall.
constexpr const char* LocalHall = "http://127.0.0.1:8080";

// Takes Qt's options out of the arguments, keeping the platform and the
// display asked for.
QStringList withoutToolkitOptions(const QStringList& arguments, CommandLine& command) {
    QStringList rest;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString name = i == 0 ? QString() : optionName(arguments[i]);
        if (ToolkitOptionsWithValue.contains(name) && i + 1 < arguments.size()) {
            if (name == QLatin1String("platform")) command.platform = arguments[i + 1];
            if (name == QLatin1String("display")) command.display = arguments[i + 1];
            ++i;
        } else if (!ToolkitFlags.contains(name) &&
                   std::none_of(ToolkitOptionsWithEquals.begin(), ToolkitOptionsWithEquals.end(),
                                [&name](const QString& option) { return name.startsWith(option); })) {
            rest << arguments[i];
        }
    }
    return rest;
}

// There is no application yet to name the program in the usage.
QString usage(const QCommandLineParser& parser) {
    return parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("vorlane"));
}

}  // namespace

CommandLine readCommandLine(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vorlane: hold off thirty marching invaders."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the game's version."));
    const QCommandLineOption replay(QStringLiteral("replay"), QStringLiteral("Watch a recorded game."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption verify(QStringLiteral("verify"),
                                    QStringLiteral("Play a recorded game again without a window and check that it "
                                                   "ends as recorded (status 0; 1 if not; 2 if unreadable)."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption send(QStringLiteral("send"),
                                  QStringLiteral("Send a recorded game to a hall of fame and print its entry's "
                                                 "address (status 0; 1 if the hall refuses it; 2 if there is no "
                                                 "hall to reach or no replay)."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption hall(QStringLiteral("hall"),
                                  QStringLiteral("The hall --send sends to (default: $VORLANE_HALL, else %1).")
                                      .arg(QLatin1String(LocalHall)),
                                  QStringLiteral("URL"));
    parser.addOptions({help, version, replay, verify, send, hall});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A .vorlane-replay file to watch."),
                                 QStringLiteral("[FILE]"));

    CommandLine command;
    command.mode = CommandLine::Mode::Done;
    if (!parser.parse(withoutToolkitOptions(arguments, command))) {
        say(stderr, QStringLiteral("vorlane: %1\n\n%2").arg(parser.errorText(), usage(parser)));
        command.status = 2;
        return command;
    }
    const QStringList files = parser.positionalArguments();
    const int modes = parser.isSet(replay) + parser.isSet(verify) + parser.isSet(send) + (files.isEmpty() ? 0 : 1);
    if (parser.isSet(help)) {
        say(stdout, usage(parser));
    } else if (parser.isSet(version)) {
        say(stdout, QStringLiteral("vorlane %1\n").arg(QStringLiteral(VORLANE_VERSION)));
    } else if (modes > 1 || files.size() > 1) {
        say(stderr, QStringLiteral("vorlane: one replay at a time\n\n%1").arg(usage(parser)));
        command.status = 2;
    } else if (parser.isSet(hall) && !parser.isSet(send)) {
        say(stderr, QStringLiteral("vorlane: --hall goes with --send\n\n%1").arg(usage(parser)));
        command.status = 2;
    } else if (parser.isSet(send)) {
        command.mode = CommandLine::Mode::Send;
        command.file = parser.value(send);
        const QString fromEnvironment = qEnvironmentVariable("VORLANE_HALL");
        command.hall = parser.isSet(hall)              ? parser.value(hall)
                       : !fromEnvironment.isEmpty() ? fromEnvironment
                                                    : QLatin1String(LocalHall);
    } else if (parser.isSet(verify)) {
        command.mode = CommandLine::Mode::Verify;
        command.file = parser.value(verify);
    } else if (parser.isSet(replay) || !files.isEmpty()) {
        command.mode = CommandLine::Mode::Replay;
        command.file = files.isEmpty() ? parser.value(replay) : files.first();
    } else {
        command.mode = CommandLine::Mode::Play;
    }
    return command;
}
