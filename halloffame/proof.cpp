// Playing a replay back to find what it holds: first the game's own
// verification, then a second run that watches the game event by event.
#include "halloffame/proof.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "halloffame/pace.h"
#include "halloffame/settings.h"
#include "replay/format.h"
#include "replay/gamespan.h"
#include "replay/playback.h"
#include "replay/verify.h"

namespace {

constexpr qint64 Minute = 60 * 1000;

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The name typed at the prompt, the last answer of its kind.
QString nameTyped(const Replay& replay) {
    RecordReader reader(replay.records);
    ReplayRecord record;
    QString name;
    while (reader.next(record))
        if (record.kind == ReplayRecord::Kind::InputText) name = record.text.trimmed();
    return name;
}

// A game the game recorded begins at its Start: a file that hands over a
// state and plays on from it without one could hold any game at all.
bool beginsAtStart(const Replay& replay) {
    if (replay.start.state.isEmpty()) return true;
    RecordReader reader(replay.records);
    ReplayRecord first;
    return reader.next(first) && first.kind == ReplayRecord::Kind::Event &&
           first.event.kind == GameEvent::Kind::Menu && first.event.menu == 0 && first.event.item == 0;
}

}  // namespace

QString provingVersion() { return QStringLiteral(VORLANE_VERSION); }

Proof proveReplay(const QByteArray& bytes, const QString& programDirectory) {
    Proof proof;
    const auto refused = [&proof](const QString& reason) {
        proof.reason = reason;
        return proof;
    };
    const ReplayReading reading = decodeReplay(bytes);
    if (!reading.replay) return refused(reading.problem);
    const Replay& replay = *reading.replay;
    // Said by the file: shown as the sender's word, kept with a refusal too.
    proof.played = replay.header.recordedAt;
    proof.gameVersion = replay.header.gameVersion;
    if (!beginsAtStart(replay)) return refused(QStringLiteral("the game was not played from its Start"));
    const Verdict verdict = verifyReplay(replay, programDirectory);
    if (verdict.status != 0) return refused(verdict.line);

    // The game's length counts its pauses, as its video shows them.
    Pace pace;
    Playback playback(replay, programDirectory, &pace);
    playback.setQuiet(true);
    if (!playback.load()) return refused(QString::fromLatin1(Playback::DamagedStart));
    playback.setQuiet(false);
    const frmVorlane& form = playback.form();
    GameSpan span;
    GameSettings atStart;
    bool began = false;
    qint64 startMs = 0;
    const auto look = [&](qint64 now) {
        const GameSpan::Change change = span.after(form);
        if (!began) {
            if (change != GameSpan::Change::Began) return;
            began = true;
            atStart = GameSettings::of(form);
            startMs = now;
        } else if (proof.endedAtGameOver) {
            return;
        } else if (change == GameSpan::Change::Ended) {
            proof.endedAtGameOver = true;
            proof.lengthMs = pace.now() - startMs;
        } else if (GameSettings::of(form) != atStart) {
            proof.changedDuringPlay = true;
        }
        while (now - startMs >= Minute * qint64(proof.scoreByMinute.size() + 1))
            proof.scoreByMinute.push_back(form.dblScore);
    };
    look(pace.reach(playback.nextTime()));
    while (!playback.atEnd()) {
        const qint64 now = pace.reach(playback.nextTime());
        playback.step();
        look(now);
    }
    if (!proof.endedAtGameOver) return refused(QStringLiteral("the game did not reach its game over"));

    proof.verified = true;
    proof.score = form.dblScore;
    proof.wave = playback.wave();
    proof.name = nameTyped(replay);
    proof.settings = atStart.text();
    proof.board = boardOf(atStart, proof.changedDuringPlay);
    proof.picture = png(form.surface.image());
    return proof;
}

QByteArray Proof::toJson() const {
    QJsonArray minutes;
    for (double score : scoreByMinute) minutes.append(score);
    return QJsonDocument(QJsonObject{{"verified", verified},
                                     {"reason", reason},
                                     {"score", score},
                                     {"wave", wave},
                                     {"name", name},
                                     {"settings", settings},
                                     {"board", board},
                                     {"changed", changedDuringPlay},
                                     {"length_ms", lengthMs},
                                     {"game_over", endedAtGameOver},
                                     {"played", played},
                                     {"version", gameVersion},
                                     {"picture", QString::fromLatin1(picture.toBase64())},
                                     {"minutes", minutes}})
        .toJson(QJsonDocument::Compact);
}

std::optional<Proof> Proof::fromJson(const QByteArray& json) {
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject()) return std::nullopt;
    const QJsonObject o = document.object();
    Proof proof;
    proof.verified = o.value("verified").toBool();
    proof.reason = o.value("reason").toString();
    proof.score = o.value("score").toDouble();
    proof.wave = o.value("wave").toInt();
    proof.name = o.value("name").toString();
    proof.settings = o.value("settings").toString();
    proof.board = o.value("board").toString();
    proof.changedDuringPlay = o.value("changed").toBool();
    proof.lengthMs = qint64(o.value("length_ms").toDouble());
    proof.endedAtGameOver = o.value("game_over").toBool();
    proof.played = qint64(o.value("played").toDouble());
    proof.gameVersion = o.value("version").toString();
    proof.picture = QByteArray::fromBase64(o.value("picture").toString().toLatin1());
    for (const QJsonValue& score : o.value("minutes").toArray()) proof.scoreByMinute.push_back(score.toDouble());
    return proof;
}
