// vorlane-hall: the hall of fame's server, its hide and unhide commands on
// the database, and the children that prove and film one replay.
#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <pthread.h>

#include "halloffame/commandline.h"
#include "halloffame/film.h"
#include "halloffame/http.h"
#include "halloffame/proofqueue.h"
#include "halloffame/prover.h"
#include "halloffame/routes.h"
#include "halloffame/store.h"

namespace {

int complain(const QString& line) {
    std::fprintf(stderr, "vorlane-hall: %s\n", qPrintable(line));
    return 1;
}

std::unique_ptr<Store> openStore(const QString& path, QString& problem) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return Store::open(path, problem);
}

// Serves until SIGTERM or SIGINT, which this thread waits for while the
// daemon's threads, which never see them, answer.
int serve(const HallCommand& command) {
    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGTERM);
    sigaddset(&stopping, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopping, nullptr);
    QString problem;
    const std::unique_ptr<Store> store = openStore(command.database, problem);
    if (!store) return complain(problem);
    const QString media = command.media.isEmpty()
                              ? QFileInfo(command.database).absolutePath() + QStringLiteral("/media")
                              : command.media;
    Videos videos(*store, media);
    ProofQueue provers(*store, &videos);
    Routes routes(*store, provers, videos);
    HttpServer server([&routes](const Request& request) { return routes.answer(request); });
    if (!server.listen(command.address, command.port, problem)) return complain(problem);
    const QString host = command.address.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(command.address)
                                                                    : command.address;
    std::printf("vorlane-hall: serving on http://%s:%u/\n", qPrintable(host), unsigned(command.port));
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stopping, &signal);
    server.stop();
    videos.stop();
    return 0;
}

int setHidden(const HallCommand& command, bool hidden) {
    QString problem;
    const std::unique_ptr<Store> store = openStore(command.database, problem);
    if (!store) return complain(problem);
    if (!store->setHidden(command.id, hidden)) return complain(QStringLiteral("there is no entry %1").arg(command.id));
    std::printf("entry %lld is %s\n", command.id, hidden ? "hidden" : "shown again");
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // A client gone while its answer is written is no reason to stop.
    std::signal(SIGPIPE, SIG_IGN);
    const HallCommand command = readCommandLine(argc, argv);
    if (!command.problem.isEmpty()) {
        complain(command.problem);
        return 2;
    }
    switch (command.mode) {
    case HallCommand::Mode::Prove: return proveCommand(argv[0]);
    case HallCommand::Mode::Film: return filmCommand(argv[0], command.video.constData(), command.preview.constData());
    case HallCommand::Mode::Hide: return setHidden(command, true);
    case HallCommand::Mode::Unhide: return setHidden(command, false);
    case HallCommand::Mode::Help: std::fputs(HallUsage, stdout); return 0;
    case HallCommand::Mode::Serve: break;
    }
    return serve(command);
}
