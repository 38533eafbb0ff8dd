// Filming a proven game: the child's side of a video job. The replay comes
// in on standard input and is played back by the game's own playback with
// no window, twice: once to hear when each cue sounds, once to take the
// play area's picture at the game's own pace, its pauses included. The
// pictures and the cues, mixed on the game's one sound channel, go to
// Debian's ffmpeg, which writes the WebM video (VP9 and Opus) and an
// animated WebP of the game's last seconds. Both are written under a
// temporary name and renamed when whole, so a job killed at any moment
// leaves no half file under either name.
#pragma once

// Status 0 once both files are in place.
int filmCommand(char* argv0, const char* video, const char* preview);
