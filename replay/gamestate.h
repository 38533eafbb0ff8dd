// The whole of a game's state at one moment, as bytes: every field of the
// game, what each label, picture, timer and menu item holds, and every
// pixel of the play area. A replay keeps the state at its game's Start,
// so that the game plays again from there and not from load: a game after
// hours of the attract display replays as quickly as one after a minute.
#pragma once

#include <QByteArray>

#include <optional>

class frmVorlane;

// As it is taken, quickly: over a megabyte.
QByteArray saveGameState(frmVorlane& form);
// As above, with the pixels of every visible label's box left out: what a
// replay checks at its end. The captions themselves are in the state; their
// pixels come from the system's fonts and its rasteriser, which differ from
// machine to machine. Nor does the game's play depend on them: bombs look
// only below row 320, under every label; the missile looks no higher than
// row 80, where the only labels are the credits, whose blue box it meets
// text or not, and "GAME OVER" with the rating, shown only inside the game
// over.
QByteArray saveGameStateWithoutText(frmVorlane& form);
// As a replay keeps it, compressed to a dozen kilobytes, off the window's
// thread.
QByteArray packGameState(const QByteArray& state);
// The state as saveGameState() gave it; nothing when the bytes are damaged.
std::optional<QByteArray> unpackGameState(const QByteArray& packed);
// From its packed form. False when the bytes are no game state, or hold a
// value the game could never reach; the game is then partly changed, with
// nothing out of range, and must not be played.
bool restoreGameState(frmVorlane& form, const QByteArray& packed);
