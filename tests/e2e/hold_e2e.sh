#!/usr/bin/env bash
# End-to-end run of the game's blocking pauses (a wave's opening, a ship's
# explosion, the game over): the window goes on answering through them.
# Over a minute of the attract display, with its explosions and game
# overs, no ping of the desktop's waits more than 600 ms for its answer
# (40 ms on a quiet machine, 150 ms on a busy one; the shortest of the
# game's pauses lasts 700 ms).
# During a wave's opening pause the player's Pause shows its sign and
# stops the wave's pause from counting, and a key held down then moves the
# ship once the game goes on. Closing the window during that pause, held
# by Pause so that it never ends by itself, ends the program. So do a
# close while the About box is open and the window destroyed by another
# program.
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
((longest <= 600)) || fail "a ping waited $longest ms for its answer"

# Start, then Right held and Pause at once, inside the wave's opening
# pause: the window shows the sign while the game stands still, however
# long. Once the game goes on and its pause is over, Right moves the ship.
sign_shown() { # picture
    (($(count_colour "$1" 200x40+213+198 white) > 100))
}
choose 0 0
point_at_game
xdotool keydown Right key Pause
sleep 1
shot "$work/paused1.png"
sleep 1
shot "$work/paused2.png"
sign_shown "$work/paused2.png" || fail "Pause during the wave's opening pause showed no sign"
(($(ship_x "$work/paused1.png") == $(ship_x "$work/paused2.png"))) || fail "the ship moved while paused"
paused_x=$(ship_x "$work/paused2.png")
moved_right() {
    shot "$work/after.png"
    (($(ship_x "$work/after.png") > paused_x + 20))
}
xdotool key Pause
poll 6 moved_right || fail "Right held during the wave's opening pause did not move the ship after it"
xdotool keyup Right

# A new wave opens with its pause, held by Pause: closed meanwhile, the
# program ends all the same.
exit_by_menu "the game with Right held"
start_game
find_window
choose 0 0
point_at_game
xdotool key Pause
held() {
    shot "$work/held.png"
    sign_shown "$work/held.png"
}
poll 5 held || fail "Pause during the wave's opening pause showed no sign"
"$wm_client" close "$window"
exits 0 "a close during the wave's opening pause"

# Help > About open: the close button ends the program all the same.
about_open() { windows_named '^Vorlane$' | grep -vxq "$window"; }
start_game
find_window
point_at_game
xdotool key F10
for ((i = 0; i < 7; i++)); do xdotool key Right; sleep 0.15; done
xdotool key Down Return
poll 5 about_open || fail "Help > About opened no box"
"$wm_client" close "$window"
exits 0 "a close under the About box"

# The window destroyed by another program: the program ends.
start_game
find_window
xdotool windowclose "$window"
exits 0 "the window destroyed"
