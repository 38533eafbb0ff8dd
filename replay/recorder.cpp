// Recording games as they are played.
#include "replay/recorder.h"

#include <QDateTime>

#include "replay/digest.h"
#include "replay/gamestate.h"
#include "shell/frmVorlane.h"

SessionRecorder::SessionRecorder(frmVorlane& form, ReplayHeader header, SessionLog& log, ReplaySink& sink)
    : form_(form), header_(std::move(header)), log_(log), sink_(sink) {}

bool SessionRecorder::isItem(const GameEvent& event, const MenuItem& item) const {
    if (event.kind != GameEvent::Kind::Menu) return false;
    const auto menus = form_.menuBar();
    if (event.menu < 0 || event.menu >= static_cast<int>(menus.size())) return false;
    const auto& items = menus[static_cast<std::size_t>(event.menu)]->items();
    return event.item >= 0 && event.item < static_cast<int>(items.size()) &&
           items[static_cast<std::size_t>(event.item)] == &item;
}

void SessionRecorder::deliver(const GameEvent& event) {
    // Exit ends the program inside its handler: the game is kept before.
    const bool exit = isItem(event, form_.mnuExit);
    if (span_.playing() && (exit || isItem(event, form_.mnuStart))) {
        span_.stop();
        keepGame();
    }
    if (exit) sink_.flush();
    // Outside a game nothing logged so far is needed: a game is played
    // again from its state at Start.
    if (!span_.playing()) log_.restart();
    if (isItem(event, form_.mnuStart)) {
        log_.startNumbersAfresh();
        header_.seed = log_.seed();
        start_ = {saveGameState(form_), 0};
        startedAt_ = QDateTime::currentMSecsSinceEpoch();
    }
    log_.event(event);
    dispatch(form_, event);
    if (span_.after(form_) == GameSpan::Change::Ended) keepGame();
}

void SessionRecorder::finish() {
    if (span_.playing()) {
        span_.stop();
        keepGame();
    }
    sink_.flush();
}

void SessionRecorder::keepGame() {
    SavedGame game;
    game.header = header_;
    game.header.recordedAt = startedAt_;
    game.start = start_;
    game.records = log_.records();
    game.end.score = form_.dblScore;
    game.end.wave = span_.wave();
    game.endState = saveGameStateWithoutText(form_);
    sink_.keep(std::move(game));
}

QByteArray encodeReplay(SavedGame game) {
    game.end.digest = stateDigest(game.endState);
    game.start.state = packGameState(game.start.state);
    return encodeReplay(game.header, game.start, game.end, game.records);
}
