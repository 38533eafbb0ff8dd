#!/usr/bin/env bash
# A whole game with the real program, played through xdotool as a person
# would, under a private Xvfb with a private PulseAudio on a null sink,
# while another copy of the game is stuck holding the lock on the folder
# of "HS" (it took the lock and was stopped with SIGSTOP) beside an older
# "HS" of 10 points by "OLD": the window opens on the attract display with
# its menu bar and the demo plays (the ship's row changes, missiles fly);
# with Bombs 1 chosen, Game > Start hides the menu bar; Ctrl fires a
# missile whose cue reaches the sound server; the ship aims through the gaps between the
# bases until a hit shows on the status line; then Bombs 30 and Bomb Speed
# High end the game quickly against a ship that stays under the formation;
# the name prompt takes a typed name, its edit box refusing an 11th
# character (a BackSpace after 14 typed leaves 9); the prompt closes, no
# other window opens, the status line shows the name (the game is not
# frozen on the lock), and "HS" still holds "OLD". Then the holder is
# killed, and the next game is left to the bombs with the ship under the
# formation and not firing: "HS" beside the program holds the name with the
# score once it is over, and the status line shows the name at the next
# Start.
# Game > Exit ends with status 0.
# The copy of the program keeps only the sounds "Fire.wav" and "high.wav",
# so the sound heard after the shot can only be the shot's cue.
# Usage: game_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: game_e2e.sh path/to/vorlane}
start_display
start_sound
install_program "$exe" Sheet.wav note1.wav note2.wav note3.wav note4.wav mother.wav expl.wav invader.wav Smallexp.wav
old_high_score "$work/bin/HS"

# The other copy: takes the lock on the folder and stops itself.
(
    exec 9<"$work/bin"
    flock 9 && kill -STOP "$BASHPID"
) &
holder=$!
started+=("$holder")
stopped() { [[ $(ps -o stat= -p "$holder") == T* ]]; }
poll 5 stopped || fail "the other copy did not stop holding the lock"
! flock -n "$work/bin" true || fail "the folder is not locked: the test proves nothing"

start_recording "$work/sound.raw"
start_game
find_window

# The attract display: menu bar shown, the demo pilot moves and fires.
menu_shown || fail "no menu bar at start"
demo_plays || fail "the ship's row did not change in the demo"
poll 15 missile_seen || fail "no missile flew in the demo"

# One bomb at a time while the player aims for a first hit.
choose 3 0
start_playing
point_at_game

# Ctrl fires: the missile's cue, which the game plays only as a missile
# leaves, is the first sound of the run. (The missile itself may meet a
# star within a few hundredths of a second.)
[ -s "$work/sound.raw" ] || fail "nothing was recorded from the null sink"
(($(loud_bytes "$work/sound.raw") == 0)) || fail "sound before the first shot"
xdotool key ctrl
poll 6 heard "$work/sound.raw" || fail "the shot's cue was not heard"

# A hit raises the score above the high score of 10; then 30 fast bombs
# against a ship that stays under the formation end the game, and the name
# is asked. The edit box takes 10 of the 14 characters typed, so the
# BackSpace leaves 9.
end_with_new_high_score "Lilli_Tillikum" BackSpace
sleep 1
only_main_window || fail "another window opened after the name was typed"
poll 5 name_shown "$before" || fail "the status line does not show the name while the folder is locked: text ended at $before, now at $(high_end "$work/name.png")"
holds_name "$work/bin/HS" OLD || fail "HS changed while another copy held its folder's lock"

kill -KILL "$holder"
wait "$holder" 2>/dev/null

# The next game over, with the ship under the formation and never firing,
# writes the record; the game after it shows the name where the "!" was.
start_playing
point_at_game
# A quiet machine ends the game in some 20 s; a busy one takes its ticks
# late, and the bound only tells a game that never ends.
until=$((SECONDS + 300))
while ! holds_name "$work/bin/HS" Lilli_Til; do
    ((SECONDS < until)) || fail "HS does not hold the record 300 s after the other copy ended; it begins \"$(head -c 12 "$work/bin/HS" | tr -c '[:print:]' .)\""
    alive || fail "the game ended by itself"
    aim
    sleep 0.2
done
score=$(od -A n -t f8 -j 20 -N 8 "$work/bin/HS" | tr -d ' ')
awk -v s="$score" 'BEGIN { exit !(s > 10) }' || fail "HS holds the score $score"
start_playing
poll 3 name_shown "$before" || fail "the next game does not show the name: text ended at $before, now at $(high_end "$work/name.png")"

exit_by_menu
echo "PASS: demo, Start, Ctrl with sound, a new high score kept the game going with the folder locked, HS = Lilli_Til / $score at the next game over, Exit 0"
