// Running a recording: the seed's numbers, the recorded answers, and the
// events one by one.
#include "replay/playback.h"

#include "replay/gamestate.h"

Playback::Playback(const Replay& replay, QString programDirectory, Platform* outside)
    : start_(replay.start), programDirectory_(std::move(programDirectory)), outside_(outside),
      random_(replay.header.seed), form_(new frmVorlane(static_cast<Platform&>(*this))), reader_(replay.records) {
    form_->highScores = this;
    ReplayRecord first;
    if (reader_.next(first)) ahead_ = std::move(first);
}

Playback::~Playback() = default;

void Playback::noteFault(const QString& what) {
    if (fault_.isEmpty()) fault_ = what;
}

bool Playback::load() {
    if (start_.state.isEmpty()) {
        // The first format's replays were recorded with smooth text.
        for (Label* label : form_->labels()) label->setSmooth(true);
        form_->Form_Load();
        return true;
    }
    random_.skip(start_.draws);
    return restoreGameState(*form_, start_.state);
}

void Playback::advance() {
    ReplayRecord record;
    if (reader_.next(record))
        ahead_ = std::move(record);
    else
        ahead_.reset();
    ++next_;
}

std::uint32_t Playback::nextTime() const {
    if (ahead_ && ahead_->kind == ReplayRecord::Kind::Event) return ahead_->milliseconds;
    RecordReader on = reader_;
    ReplayRecord record;
    while (on.next(record))
        if (record.kind == ReplayRecord::Kind::Event) return record.milliseconds;
    return on.lastTime();
}

void Playback::step() {
    if (atEnd()) return;
    if (ahead_->kind != ReplayRecord::Kind::Event) {
        noteFault(QStringLiteral("the recording answers a question the game did not ask (record %1)").arg(next_));
        return;
    }
    const GameEvent event = ahead_->event;
    advance();
    dispatch(*form_, event);
    span_.after(*form_);
}

void Playback::runTo(std::size_t record) {
    while (!atEnd() && next_ < record) step();
}

const ReplayRecord* Playback::take(ReplayRecord::Kind kind, const char* question) {
    if (!atEnd() && ahead_->kind == kind) {
        answer_ = std::move(*ahead_);
        advance();
        return &answer_;
    }
    noteFault(QStringLiteral("the game asked for %1 where the recording has no answer (record %2)")
                  .arg(QLatin1String(question))
                  .arg(next_));
    return nullptr;
}

int Playback::waveOutDeviceCount() {
    const ReplayRecord* answer = take(ReplayRecord::Kind::DeviceCount, "the sound devices");
    return answer ? answer->count : 0;
}

bool Playback::playSound(const QString& path, bool async) { return loud() && outside_->playSound(path, async); }

void Playback::messageBox(const QString&, const QString&) { take(ReplayRecord::Kind::MessageClosed, "a message box"); }

QString Playback::inputBox(const QString&, const QString&) {
    const ReplayRecord* answer = take(ReplayRecord::Kind::InputText, "a name");
    return answer ? answer->text : QString();
}

std::optional<QByteArray> Playback::read() {
    const ReplayRecord* answer = take(ReplayRecord::Kind::HighScoreRead, "the high score");
    return answer ? answer->bytes : std::nullopt;
}

void Playback::hold(int milliseconds) {
    if (loud()) outside_->hold(milliseconds);
}

void Playback::present() {
    if (loud()) outside_->present();
}

// A recording never holds the end of the program: only a fault gets here.
void Playback::endProgram(int) { noteFault(QStringLiteral("the game ended the program")); }
