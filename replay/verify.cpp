// Playing a recording through to its end and comparing.
#include "replay/verify.h"

#include "replay/digest.h"
#include "replay/format.h"
#include "replay/gamestate.h"
#include "replay/playback.h"

namespace {

QString scoreAndWave(double score, std::int64_t wave) {
    return QStringLiteral("score %1, wave %2").arg(QString::number(score, 'f', 0)).arg(wave);
}

Verdict says(int status, QString line) {
    Verdict verdict;
    verdict.status = status;
    verdict.line = std::move(line);
    return verdict;
}

}  // namespace

Verdict verifyReplay(const Replay& replay, const QString& programDirectory) {
    Playback playback(replay, programDirectory);
    if (!playback.load()) return says(2, QString::fromLatin1(Playback::DamagedStart));
    playback.runTo(replay.records.count());
    const double score = playback.form().dblScore;
    const int wave = playback.wave();
    const QString now = scoreAndWave(score, wave);
    if (!playback.fault().isEmpty()) return says(1, QStringLiteral("not verified: %1 (%2)").arg(playback.fault(), now));
    if (score != replay.end.score || wave != replay.end.wave)
        return says(1, QStringLiteral("not verified: %1, where the recording ends with %2")
                       .arg(now, scoreAndWave(replay.end.score, replay.end.wave)));
    if (replay.end.digestOfPixels) {
        if (surfaceDigest(playback.form().surface.image()) != replay.end.digest)
            return says(1, QStringLiteral("not verified: %1, but the play area differs from the recording's at the end")
                               .arg(now));
    } else if (stateDigest(saveGameStateWithoutText(playback.form())) != replay.end.digest) {
        return says(1, QStringLiteral("not verified: %1, but the game differs from the recording's at the end").arg(now));
    }
    return says(0, QStringLiteral("verified: %1").arg(now));
}

Verdict verifyReplayFile(const QString& path, const QString& programDirectory) {
    const ReplayReading reading = readReplayFile(path);
    if (!reading.replay) return says(2, QStringLiteral("%1: %2").arg(path, reading.problem));
    Verdict verdict = verifyReplay(*reading.replay, programDirectory);
    if (verdict.status == 2) return says(2, QStringLiteral("%1: %2").arg(path, verdict.line));
    if (reading.replay->header.picturesDigest != picturesDigest(programDirectory))
        verdict.note = QStringLiteral("%1: the pictures differ from the ones it was recorded with").arg(path);
    return verdict;
}
