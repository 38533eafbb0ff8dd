#!/usr/bin/env bash
# The key table through the real window under a private Xvfb, with the keys
# xdotool sends as a keyboard would. Keys without a meaning in the game
# (F1, Tab, Home and the keypad's 7) show the keys help line and leave the
# menu bar where it is; before each, two Enters hide and bring back the
# menu bar, which also hides the help line. In a game, Shift with the minus
# key both speeds the main tick up (the pace shows top left) and fires.
# Usage: keys_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: keys_e2e.sh path/to/vorlane}

# The help line's blue box, and the pace's dark green digits.
help_shown() {
    shot "$work/help.png"
    (($(count_colour "$work/help.png" 441x25+104+32 'rgb(0,0,192)') > 1000))
}
help_hidden() { ! help_shown; }
pace_shown() {
    shot "$work/pace.png"
    (($(count_colour "$work/pace.png" 49x25+8+24 'rgb(0,128,0)') > 10))
}

start_display
install_program "$exe"
start_game
find_window
point_at_game
for key in F1 Tab Home KP_7; do
    xdotool key Return
    poll 10 menu_hidden || fail "Enter did not hide the menu bar before $key"
    xdotool key Return
    poll 10 menu_shown || fail "Enter did not bring the menu bar back before $key"
    poll 5 help_hidden || fail "the help line shows before $key"
    xdotool key "$key"
    poll 5 help_shown || fail "$key did not show the keys help line"
    menu_shown || fail "$key hid the menu bar"
done

start_playing
point_at_game
# Several presses, so the pace is on show while a shot is taken.
for ((i = 0; i < 8; i++)); do xdotool key shift+minus; sleep 0.15; done &
presses=$!
started+=($presses)
poll 3 pace_shown || fail "Shift with the minus key did not change the pace"
poll 3 missile_seen || fail "Shift with the minus key did not fire"
# A last Shift+minus would hide the menu bar that Exit opens.
wait "$presses"

exit_by_menu
echo "PASS: F1, Tab, Home and keypad 7 show the help line and keep the menu bar; Shift+minus speeds up and fires"
