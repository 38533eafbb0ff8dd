#!/usr/bin/env bash
# The menus with a keyboard alone, no mouse, under a private Xvfb: Enter,
# F10, Enter starts a game (Enter hides the menu bar, F10 shows it again
# and opens the Game menu on Start); in play, F10 brings the hidden bar
# back with the Game menu open, and Escape closes it. Then F10, Right and
# Down reach every item of every menu in turn, the highlight moving down
# the open menu a row at a time (the greyed Music on is passed over), and
# Enter chooses: Help > Keys shows the keys help line, Help > About opens
# its box, Options > Hide menu hides the bar, and Game > Exit ends the
# game.
# Usage: menu_keys_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: menu_keys_e2e.sh path/to/vorlane}

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
help_shown() {
    shot "$work/help.png"
    (($(count_colour "$work/help.png" 441x25+104+32 'rgb(0,0,192)') > 1000))
}

start_display
install_program "$exe"
start_game
find_window
point_at_game

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
        ((i > 0)) && xdotool key Down && sleep 0.1
        row=$(highlight_row)
        ((row > last)) || fail "menu $m: Down to item $i left the highlight at row $row (before: $last)"
        last=$row
    done
    xdotool key Escape
    poll 5 only_main_window || fail "Escape did not close menu $m"
done

# Help > Keys, Help > About, Options > Hide menu, Game > Exit.
by_keys() { # menu number, item number among those that can be chosen
    xdotool key F10
    poll 5 menu_open || fail "F10 opened no menu"
    for ((i = 0; i < $1; i++)); do xdotool key Right; sleep 0.15; done
    for ((i = 0; i < $2; i++)); do xdotool key Down; sleep 0.1; done
    xdotool key Return
}
by_keys 7 0
poll 5 help_shown || fail "Help > Keys did not show the keys help line"
by_keys 7 1
poll 5 menu_open || fail "Help > About opened no box"
xdotool key Return
poll 5 only_main_window || fail "Enter did not close the About box"
by_keys 6 1
poll 5 menu_hidden || fail "Options > Hide menu did not hide the bar"
by_keys 0 1
exit_status 10
(($? == 0)) || fail "Game > Exit did not end the game with status 0"
echo "PASS: Enter, F10, Enter starts a game; F10 and the arrows reach every item; Enter chooses, Escape closes"
