#!/usr/bin/env bash
# The keyboard alone through the real window under a private Xvfb, with the
# keys xdotool sends as a keyboard would. Keys without a meaning in the
# game (F1, Tab, Home and the keypad's 7) show the keys help line and leave
# the menu bar where it is; before each, two Enters hide and bring back the
# menu bar, which also hides the help line. Enter, F10, Enter starts a game
# (Enter hides the menu bar, F10 shows it again and opens the Game menu on
# Start), and the ship answers Right. In the game F10
# brings the hidden bar back with the Game menu open, and Escape closes it.
# Then F10, Right and Down reach every item of every menu in turn, the
# highlight moving down the open menu a row at a time (the greyed Music on
# is passed over). The game lives through a flood of 10000 random keys,
# drawn from a seed printed with the result. Then F10, Down and Enter
# choose Game > Exit, which ends the game.
# Usage: keys_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: keys_e2e.sh path/to/vorlane}
# The flood's keys, drawn from a seed printed with the result.
seed=${SEED:-$$}
RANDOM=$seed
keys=(Left Right Up Down Return space Escape Tab BackSpace a z q 1 9 minus equal plus comma period slash
    F1 F5 Home End Page_Up KP_Add KP_Subtract KP_Enter Shift_L Control_L Alt_L Control_R
    shift+Left shift+a ctrl+Right ctrl+x alt+Left alt+g ctrl+shift+z ctrl+alt+Return)

# The open menu, in $popup.
menu_open() {
    popup=$(other_windows | head -n1)
    [ -n "$popup" ]
}
# The middle row of the open menu's highlighted item: the style's
# highlight is the most saturated colour of the menu.
highlight_row() {
    import -silent -window "$popup" "$work/popup.png" 2>/dev/null || return 1
    convert "$work/popup.png" -colorspace HSL -channel G -separate +channel -threshold 50% \
        -resize "1x$(identify -format %h "$work/popup.png")!" -depth 16 txt:- |
        awk -F'[,:() ]+' 'NR > 1 && $3 > 30000 { sum += $2; n++ } END { print n ? int(sum / n) : -1 }'
}
# The highlight, in $row, lower than the row given: a busy machine moves
# it late.
highlight_below() { # row
    row=$(highlight_row)
    ((row > $1))
}
# The help line's blue box.
help_shown() {
    shot "$work/help.png"
    (($(count_colour "$work/help.png" 441x25+104+32 'rgb(0,0,192)') > 1000))
}
help_hidden() { ! help_shown; }

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

# Enter, F10, Enter: a game in play.
xdotool key Return
poll 10 menu_hidden || fail "Enter did not hide the menu bar"
xdotool key F10
poll 5 menu_open || fail "F10 opened no menu"
menu_shown || fail "F10 did not show the menu bar"
xdotool key Return
poll 5 only_main_window || fail "Enter did not close the menu"
poll 10 menu_hidden || fail "Enter on the Game menu did not start a game"
sleep 0.5
shot "$work/before.png"
xdotool keydown Right sleep 0.5 keyup Right
shot "$work/after.png"
(($(ship_x "$work/after.png") - $(ship_x "$work/before.png") >= 30)) || fail "the ship does not answer after Start"

xdotool key F10
poll 5 menu_open || fail "F10 in play opened no menu"
menu_shown || fail "F10 in play did not show the menu bar"
xdotool key Escape
poll 5 only_main_window || fail "Escape did not close the menu"
alive || fail "the game ended"

# Every menu's items, counted without the greyed one.
items=(2 3 3 14 2 4 2 2)
for ((m = 0; m < 8; m++)); do
    xdotool key F10
    poll 5 menu_open || fail "F10 opened no menu before menu $m"
    for ((i = 0; i < m; i++)); do xdotool key Right; sleep 0.15; done
    sleep 0.2
    menu_open || fail "menu $m did not open"
    last=-1
    for ((i = 0; i < ${items[m]}; i++)); do
        ((i > 0)) && xdotool key Down
        poll 5 highlight_below "$last" || fail "menu $m: Down to item $i left the highlight at row $row (before: $last)"
        last=$row
    done
    xdotool key Escape
    poll 5 only_main_window || fail "Escape did not close menu $m"
done

# A flood of 10000 random keys, in batches of 500, with and without
# Shift, Ctrl and Alt: afterwards the program is alive, its window still
# shows at its width with the status line, and the play goes on (the
# picture keeps changing). A name prompt that the flood may have brought up
# (a game lost with a score) is answered first.
point_at_game
for ((batch = 0; batch < 20; batch++)); do
    flood=()
    for ((i = 0; i < 500; i++)); do flood+=("${keys[RANDOM % ${#keys[@]}]}"); done
    xdotool key --delay 0 "${flood[@]}" || fail "xdotool could not send batch $batch"
    alive || fail "the game died during batch $batch (seed $seed)"
done

# The queue of keys drains and the picture changes again; the timers stand
# still while a name prompt is open, so one is answered first.
settled() { prompt_open || changed "$work/flooded.png" 627x436+0+0; }
shot "$work/flooded.png"
poll 20 settled || fail "the window stands still after the flood (seed $seed)"
sleep 1
if prompt_open; then
    answer_prompt "Flood"
    shot "$work/flooded.png"
    poll 10 changed "$work/flooded.png" 627x436+0+0 || fail "the window stands still after the prompt (seed $seed)"
fi

alive || fail "the game died after the flood (seed $seed)"
find_window
((WIDTH == 627)) || fail "the window is $WIDTH wide after the flood"
shot "$work/after.png"
green=$(count_colour "$work/after.png" 627x25+0+0 'rgb(0,255,0)')
((green >= 20)) || fail "the status line is gone: $green green pixels (seed $seed)"
only_main_window || fail "a dialog or menu is open after the flood (seed $seed)"

# Game > Exit, reached and chosen by the keys alone.
point_at_game
xdotool key F10
poll 5 menu_open || fail "F10 opened no menu"
xdotool key Down Return
exits 0 "Game > Exit by the keys"
echo "PASS: 10000 keys (seed $seed) lived through; F1, Tab, Home and keypad 7 show the help line and keep the menu bar; Enter, F10, Enter starts a game; F10 and the arrows reach every item; Enter chooses, Escape closes"
