// Recording games as they are played.
#include "replay/recorder.h"

#include "replay/digest.h"
#include "shell/frmVorlane.h"

SessionRecorder::SessionRecorder(frmVorlane& form, ReplayHeader header, SessionLog& log, ReplaySink& sink)
    : form_(form), header_(std::move(header)), log_(log), sink_(sink) {}

bool SessionRecorder::isItem(const GameEvent& event, const MenuItem& item) const {
    if (event.kind != GameEvent::Kind::Menu) return false;
    const auto menus = form_.menuBar();
    if (event.a < 0 || event.a >= static_cast<int>(menus.size())) return false;
    const auto& items = menus[static_cast<std::size_t>(event.a)]->items();
    return event.b >= 0 && event.b < static_cast<int>(items.size()) && items[static_cast<std::size_t>(event.b)] == &item;
}

void SessionRecorder::deliver(const GameEvent& event) {
    // Exit ends the program inside its handler: the game is kept before.
    const bool exit = isItem(event, form_.mnuExit);
    if (watch_.playing() && (exit || isItem(event, form_.mnuStart))) {
        watch_.stop();
        keepGame();
    }
    if (exit) sink_.flush();
    log_.event(event);
    const auto index = static_cast<std::uint32_t>(log_.records().size() - 1);
    ::deliver(form_, event);
    switch (watch_.after(form_)) {
    case GameWatch::Change::Began: start_ = index; break;
    case GameWatch::Change::Ended: keepGame(); break;
    case GameWatch::Change::None: break;
    }
}

void SessionRecorder::finish() {
    if (watch_.playing()) {
        watch_.stop();
        keepGame();
    }
    sink_.flush();
}

void SessionRecorder::keepGame() {
    Replay replay;
    replay.header = header_;
    replay.records = log_.records();
    replay.end.startRecord = start_;
    replay.end.score = form_.dblScore;
    replay.end.wave = watch_.wave();
    replay.end.surfaceDigest = surfaceDigest(form_.surface.image());
    sink_.keep(std::move(replay));
}
