// vorlane-hall: the hall of fame's server, its provers without a server,
// its hide and unhide commands on the database, and the children that prove
// and film one replay.
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <optional>
#include <pthread.h>

#include "halloffame/commandline.h"
#include "halloffame/database.h"
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

// SIGTERM and SIGINT, held back from every thread started after this, to
// be waited for by this one.
sigset_t blockStopping() {
    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGTERM);
    sigaddset(&stopping, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopping, nullptr);
    return stopping;
}

// Proves for the hall's database until SIGTERM or SIGINT; the proof in
// progress ends first.
int proveOnly(const HallCommand& command) {
    sigset_t stopping = blockStopping();
    QString problem;
    const std::unique_ptr<Store> store = Store::open(command.database, problem);
    if (!store) return complain(problem);
    // Films too only when told where: its videos are no use unless a
    // server reads that folder.
    std::optional<Videos> videos;
    if (!command.media.isEmpty()) videos.emplace(*store, command.media);
    ProofQueue provers(*store, command.provers, videos ? &*videos : nullptr);
    std::printf("vorlane-hall: proving, %u at a time\n", command.provers);
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stopping, &signal);
    if (videos) videos->stop();
    return 0;
}

// The videos' folder: --media, or media beside the database's file (or the
// default one's when the database is on PostgreSQL).
QString mediaFolder(const HallCommand& command) {
    if (!command.media.isEmpty()) return command.media;
    const QString database = isPostgresUrl(command.database) ? defaultDatabase() : command.database;
    return QFileInfo(database.mid(7)).absolutePath() + QStringLiteral("/media");
}

// Serves until SIGTERM or SIGINT, which this thread waits for while the
// daemon's threads, which never see them, answer.
int serve(const HallCommand& command) {
    sigset_t stopping = blockStopping();
    QString problem;
    const std::unique_ptr<Store> store = Store::open(command.database, problem);
    if (!store) return complain(problem);
    Videos videos(*store, mediaFolder(command));
    ProofQueue provers(*store, command.provers, &videos);
    Routes routes(*store, provers, videos, command.proxy);
    HttpServer server([&routes](const Request& request) { return routes.answer(request); }, !command.proxy.isEmpty());
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
    const std::unique_ptr<Store> store = Store::open(command.database, problem);
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
    case HallCommand::Mode::Provers: return proveOnly(command);
    case HallCommand::Mode::Hide: return setHidden(command, true);
    case HallCommand::Mode::Unhide: return setHidden(command, false);
    case HallCommand::Mode::Help: std::fputs(HallUsage, stdout); return 0;
    case HallCommand::Mode::Serve: break;
    }
    return serve(command);
}
