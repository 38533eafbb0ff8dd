#!/usr/bin/env bash
# The real program while another copy of the game is stuck holding the
# lock on the folder of "HS": a process takes the lock and is stopped with
# SIGSTOP, beside an older "HS" of 10 points by "OLD". A game is played to
# its end with a new high score as in game_e2e; the name prompt closes, no
# other window opens, the status line shows the name (the game is not
# frozen on the lock), and "HS" still holds "OLD". Then the holder is
# killed, and a second game is left to the bombs (Bombs 30 and Bomb Speed
# High still chosen) with the ship under the formation and not firing:
# "HS" holds the new name once that game is over. Game > Exit ends with
# status 0.
# Usage: hs_lock_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: hs_lock_e2e.sh path/to/vorlane}
start_display
install_program "$exe"
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

start_game
find_window
choose 3 0
start_playing
end_with_new_high_score "Locked"

sleep 1
only_main_window || fail "another window opened after the name was typed"
poll 5 name_shown "$before" || fail "the status line does not show the name while the folder is locked: text ended at $before, now at $(high_end "$work/name.png")"
holds_name "$work/bin/HS" OLD || fail "HS changed while another copy held its folder's lock"

kill -KILL "$holder"
wait "$holder" 2>/dev/null

# The next game over, with the ship under the formation and never firing.
hs_holds_record() { holds_name "$work/bin/HS" Locked; }
start_playing
point_at_game
until=$((SECONDS + 90))
while ! hs_holds_record; do
    ((SECONDS < until)) || fail "HS does not hold the record 90 s after the other copy ended; it begins \"$(head -c 12 "$work/bin/HS" | tr -c '[:print:]' .)\""
    alive || fail "the game ended by itself"
    aim
    sleep 0.2
done
exit_by_menu
echo "PASS: a new high score with the folder locked by a stopped copy kept the game going and reached HS at the next game over"
