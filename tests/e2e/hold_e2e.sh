#!/usr/bin/env bash
# End-to-end run of the game's blocking pauses (a wave's opening, a ship's
# explosion, the game over): the window goes on answering through them.
# Over a minute of the attract display, with its explosions and game
# overs, no ping of the desktop's waits more than 250 ms for its answer. A
# key held down during a wave's opening pause moves the ship once the
# pause is over, not before. Closing the window during that pause ends the
# program within 300 ms.
# Usage: hold_e2e.sh path/to/vorlane path/to/wm_client
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: hold_e2e.sh path/to/vorlane path/to/wm_client}
wm_client=${2:?usage: hold_e2e.sh path/to/vorlane path/to/wm_client}
start_display
install_program "$exe"
start_game
find_window

read -r longest pings < <("$wm_client" ping "$window" 60)
echo "longest unanswered ping over a minute of the attract display: $longest ms ($pings pings)"
((pings > 2400)) || fail "only $pings pings were sent"
((longest <= 250)) || fail "a ping waited $longest ms for its answer"

# Start, then Right held from the first moment of the wave's pause: the
# game stands still until the pause is over, then the ship moves.
choose 0 0
point_at_game
xdotool keydown Right
sleep 0.2
shot "$work/early.png"
start_x=$(ship_x "$work/early.png")
sleep 0.6
shot "$work/later.png"
(($(ship_x "$work/later.png") == start_x)) || fail "the ship moved during the wave's opening pause"
sleep 1.2
shot "$work/after.png"
xdotool keyup Right
(($(ship_x "$work/after.png") > start_x + 20)) || fail "Right held during the pause did not move the ship after it"

# A new wave opens with its pause: closed meanwhile, the program ends at once.
exit_by_menu "the game with Right held"
start_game
find_window
choose 0 0
sleep 0.3
asked=$(date +%s%N)
"$wm_client" close "$window"
while alive && (($(date +%s%N) - asked < 2000000000)); do sleep 0.01; done
took=$((($(date +%s%N) - asked) / 1000000))
echo "closed during the wave's opening pause: ended after $took ms"
ended || fail "the program did not end when its window was closed during a pause"
((took <= 300)) || fail "the program took $took ms to end"
wait "$game_pid"
status=$?
((status == 0)) || fail "the program closed during a pause ended with status $status"
