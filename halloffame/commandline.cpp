// Reading the options, one line for the first thing wrong.
#include "halloffame/commandline.h"

#include <QDir>

#include <algorithm>
#include <thread>

#include "halloffame/database.h"

QString defaultDatabase() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share");
    return QStringLiteral("sqlite:") + data + QStringLiteral("/vorlane/hall.sqlite");
}

HallCommand readCommandLine(int argc, char* argv[]) {
    HallCommand command;
    command.database = defaultDatabase();
    command.provers = std::max(1u, std::thread::hardware_concurrency());
    const auto wrong = [&command](const QString& what) {
        command.problem = what;
        return command;
    };
    bool databaseGiven = false;
    for (int n = 1; n < argc; ++n) {
        const QString word = QString::fromLocal8Bit(argv[n]);
        const bool valued = word == QLatin1String("--listen") || word == QLatin1String("--database") ||
                            word == QLatin1String("--provers") || word == QLatin1String("--proxy") ||
                            word == QLatin1String("--media");
        if (valued && n + 1 >= argc) return wrong(QStringLiteral("%1 needs a value").arg(word));
        if (word == QLatin1String("--listen")) {
            const QString value = QString::fromLocal8Bit(argv[++n]);
            const qsizetype colon = value.lastIndexOf(QLatin1Char(':'));
            bool ok = false;
            const uint port = colon < 0 ? 0 : value.mid(colon + 1).toUInt(&ok);
            if (!ok || port == 0 || port > 65535)
                return wrong(QStringLiteral("--listen takes ADDR:PORT, such as 127.0.0.1:8080, not %1").arg(value));
            command.address = value.left(colon);
            if (command.address.startsWith(QLatin1Char('[')) && command.address.endsWith(QLatin1Char(']')))
                command.address = command.address.mid(1, command.address.size() - 2);
            command.port = quint16(port);
        } else if (word == QLatin1String("--database")) {
            const QString value = QString::fromLocal8Bit(argv[++n]);
            if ((!value.startsWith(QLatin1String("sqlite:")) || value.size() == 7) && !isPostgresUrl(value))
                return wrong(QStringLiteral("--database takes sqlite:PATH or postgresql://USER@HOST/DB, not %1")
                                 .arg(value));
            command.database = value;
            databaseGiven = true;
        } else if (word == QLatin1String("--provers")) {
            bool ok = false;
            command.provers = QString::fromLocal8Bit(argv[++n]).toUInt(&ok);
            if (!ok || command.provers > 256) return wrong(QStringLiteral("--provers takes a number from 0 to 256"));
        } else if (word == QLatin1String("--proxy")) {
            command.proxy = QString::fromLocal8Bit(argv[++n]);
        } else if (word == QLatin1String("--media")) {
            command.media = QString::fromLocal8Bit(argv[++n]);
        } else if (word == QLatin1String("--help")) {
            command.mode = HallCommand::Mode::Help;
        } else if (n == 1 && word == QLatin1String("prove")) {
            command.mode = argc == 2 ? HallCommand::Mode::Prove : HallCommand::Mode::Provers;
        } else if (n == 1 && word == QLatin1String("film") && argc == 4) {
            command.mode = HallCommand::Mode::Film;
            command.video = argv[2];
            command.preview = argv[3];
            n = 3;
        } else if (n == 1 && (word == QLatin1String("hide") || word == QLatin1String("unhide"))) {
            bool ok = false;
            command.id = n + 1 < argc ? QString::fromLocal8Bit(argv[n + 1]).toLongLong(&ok) : 0;
            if (!ok || command.id <= 0) return wrong(QStringLiteral("%1 takes an entry's number").arg(word));
            command.mode = word == QLatin1String("hide") ? HallCommand::Mode::Hide : HallCommand::Mode::Unhide;
            ++n;
        } else {
            return wrong(QStringLiteral("unknown option %1").arg(word));
        }
    }
    if (command.mode == HallCommand::Mode::Provers && !databaseGiven)
        return wrong(QStringLiteral("prove needs --database URL, the hall's database it proves for"));
    return command;
}
