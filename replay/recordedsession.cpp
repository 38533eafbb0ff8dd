// Wiring a recorded session together.
#include "replay/recordedsession.h"

#include "replay/digest.h"

RecordedSession::RecordedSession(Platform& outside, std::uint32_t seed, ReplaySink& sink, SessionLog::Clock clock)
    : log_(seed, std::move(clock)), scores_(outside.programDirectory() + QStringLiteral("/HS")),
      recording_(outside, scores_, log_), form_(recording_),
      recorder_(form_, sessionHeader(seed, outside.programDirectory()), log_, sink) {
    form_.highScores = &recording_;
}
