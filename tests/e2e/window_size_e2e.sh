#!/usr/bin/env bash
# End-to-end run of a window the player sizes, on a 1600 x 1200 screen with
# no window manager: the window opens with the play area at scale 2, the
# largest that fits; sized down to the smallest window it shows scale 1 and
# sized to about twice the play area scale 2 again, with exactly 4 times as
# many pixels of the starfield's grey; back at scale 1 the count is what it
# was. The game is paused meanwhile, so the picture holds still. Then Enter
# hides and shows the menu bar twice over without moving the window's size
# or the play area, and About's box opens below the credits. The game stands still
# while the box is open: at scale 1 and at scale 2 the play area above the
# box, as the game sent it out tick by tick, is what the window paints
# whole once it has been to another scale and back. The window's name
# carries "Vorlane" for task bars.
# Usage: window_size_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: window_size_e2e.sh path/to/vorlane}
screen=1600x1200x24 start_display
install_program "$exe"
start_game
find_window
sleep 1.5
alive || fail "the game ended by itself"

xprop -id "$window" _NET_WM_NAME | grep -qx '_NET_WM_NAME(UTF8_STRING) = "Vorlane"' ||
    fail "the window's name is not Vorlane: $(xprop -id "$window" _NET_WM_NAME)"

where
((WIDTH == 1254)) || fail "the window opens $WIDTH wide, not at scale 2 (1254)"
strip=$((HEIGHT - 872))
((strip >= 10 && strip <= 40)) || fail "the window opens $HEIGHT high: no menu strip above 872 rows"

# The starfield's grey.
grey='rgb(200,200,200)'
# Saves the play area of the window, at a scale and centred below the
# strip, as a picture.
play_area() { # scale file
    local w=$((627 * $1)) h=$((436 * $1))
    where
    import -silent -window root "$work/screen.png" || fail "no screenshot"
    convert "$work/screen.png" -crop "${w}x$h+$((X + (WIDTH - w) / 2))+$((Y + strip + (HEIGHT - strip - h) / 2))" +repage "$2"
}
# Sizes the window and waits until it has taken the size.
size_window() { # width height
    xdotool windowsize "$window" "$1" "$2"
    poll 5 has_size "$1" "$2" || fail "the window did not take the size $1 x $2"
}
has_size() { where; ((WIDTH == $1 && HEIGHT == $2)); }
# The starfield's grey in the top 180 rows of the play area (at scale 1) at
# a scale, clear of the "PAUSED" sign.
stars_at() { # scale file
    play_area "$1" "$2"
    count_colour "$2" "$((627 * $1))x$((180 * $1))+0+0" "$grey"
}
# A busy machine may paint the new size a moment after the window takes it.
shows_stars() { # scale file count
    (($(stars_at "$1" "$2") == $3))
}
# The game is paused, so once two pictures a moment apart are the same,
# the pause has taken hold.
held_still() {
    play_area 2 "$work/before.png"
    sleep 0.3
    play_area 2 "$work/opened.png"
    (($(pixels_differing "$work/before.png" "$work/opened.png" 1254x872+0+0) == 0))
}
point_at_game
xdotool key Pause
poll 10 held_still || fail "the paused play area never held still"
opened=$(stars_at 2 "$work/opened.png")
((opened > 2000)) || fail "opened at scale 2 with only $opened pixels of the starfield's grey"

size_window 627 $((436 + strip))
one=$((opened / 4))
poll 10 shows_stars 1 "$work/one.png" "$one" ||
    fail "scale 1: $(stars_at 1 "$work/one.png") pixels of the starfield's grey, not a quarter of $opened at scale 2"

size_window 1300 $((strip + 900))
poll 10 shows_stars 2 "$work/two.png" "$opened" ||
    fail "scale 2: $(stars_at 2 "$work/two.png") pixels of the starfield's grey, not $opened"

size_window 627 $((436 + strip))
poll 10 shows_stars 1 "$work/back.png" "$one" ||
    fail "back at scale 1: $(stars_at 1 "$work/back.png") pixels of the starfield's grey, not $one"

# Enter hides the menu bar and shows it again; the window keeps its size
# and the moon its place on the screen.
moon_place() {
    where
    import -silent -window root "$work/screen.png" || fail "no screenshot"
    convert "$work/screen.png" -crop "80x80+$((X + 480))+$((Y + strip))" +repage -fill white -opaque "$grey" \
        -fill black +opaque white -format "${WIDTH}x$HEIGHT+$X+$Y %@" info:
}
xdotool key Pause
before=$(moon_place)
point_at_game
xdotool key Return
poll 5 menu_hidden || fail "Enter did not hide the menu bar"
hidden=$(moon_place)
xdotool key Return
poll 5 menu_shown || fail "Enter did not show the menu bar"
shown=$(moon_place)
[ "$hidden" = "$before" ] || fail "hiding the menu bar moved the window or the moon: $before, then $hidden"
[ "$shown" = "$before" ] || fail "showing the menu bar moved the window or the moon: $before, then $shown"

# Help > About: the "OK?" box opens clear of the credits box, which covers
# rows 64 to 208 of the play area.
open_about() {
    xdotool mousemove --window "$window" 15 $((strip / 2)) click 1
    poll 5 another_window || fail "the Game menu did not open"
    for ((i = 0; i < 7; i++)); do xdotool key Right; sleep 0.2; done
    xdotool key Down Return
    poll 5 box_open || fail "About opened no box"
    box_top=$(xwininfo -id "$box" | awk '/Absolute upper-left Y/ { print $NF }')
}
box_open() { box=$(windows_named '^Vorlane$' | grep -vx "$window" | head -n1); [ -n "$box" ]; }
close_about() {
    xdotool mousemove --window "$box" 20 20 key Return
    poll 5 only_main_window || fail "the About box did not close"
}
# The rows of the play area above About's box, at a scale, as a geometry.
above_box() { # scale
    where
    local top=$((Y + strip + (HEIGHT - strip - 436 * $1) / 2))
    echo "$((627 * $1))x$((box_top - top))+0+0"
}
# The play area above the box as the window shows it now is the one in
# the picture "sent".
shows_as_sent() { # scale
    play_area "$1" "$work/whole.png"
    (($(pixels_differing "$work/sent.png" "$work/whole.png" "$(above_box "$1")") == 0))
}
# At a scale, with the box open: the play area above it, then the window
# to the other size and back, and the same pixels again.
same_when_painted_whole() { # scale width height other-width other-height
    play_area "$1" "$work/sent.png"
    size_window "$4" "$5"
    size_window "$2" "$3"
    poll 5 shows_as_sent "$1" ||
        fail "scale $1: $(pixels_differing "$work/sent.png" "$work/whole.png" "$(above_box "$1")") pixels above About's box differ between the play area as the game sent it out and as the window paints it whole"
}

show_menu_bar
open_about
echo "About's box at row $box_top, the credits box ending at row $((Y + strip + 208))"
((box_top > Y + strip + 208)) || fail "the About box opens at row $box_top, over the credits (rows $((Y + strip + 64)) to $((Y + strip + 208)))"
same_when_painted_whole 1 627 $((436 + strip)) 1300 $((strip + 900))
close_about

size_window 1300 $((strip + 900))
sleep 1
open_about
same_when_painted_whole 2 1300 $((strip + 900)) 627 $((436 + strip))
close_about
size_window 627 $((436 + strip))

exit_by_menu
echo "PASS: opened at scale 2 with a $strip-row strip; $one grey pixels at scale 1, $opened at scale 2, window and moon at $before through Enter twice"
