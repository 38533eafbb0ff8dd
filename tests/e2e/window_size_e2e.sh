#!/usr/bin/env bash
# End-to-end runs of the real window on a 1600 x 1200 screen with no
# window manager. First on screens of twice and of one and a half times the
# density (a scale factor of 2, then of 1.5): the client area shows at
# 1254 x 872 device pixels (scale 2, the largest that fits) below the menu
# bar, drawn with sharp pixels (every 2 x 2 block of device pixels one
# colour, across the stars, the moon and the status line) and the moon at
# its place, doubled.
# Then a window the player sizes: it opens with the play area at scale 2;
# sized down to the smallest window it shows scale 1 and
# sized to about twice the play area scale 2 again, with exactly 4 times as
# many pixels of the starfield's grey, and it is sized back to scale 1. The game is paused meanwhile, so the picture holds still. Then Enter
# hides and shows the menu bar twice over without moving the window's size
# or the play area, and About's box opens below the credits. The window's
# name carries "Vorlane" for task bars.
# Usage: window_size_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: window_size_e2e.sh path/to/vorlane}
screen=1600x1200x24 start_display
install_program "$exe"

for factor in 2 1.5; do
    QT_SCALE_FACTOR=$factor start_game
    find_window
    # Let the demo run a moment so the window is painted.
    sleep 1.5
    alive || fail "factor $factor: the game ended by itself"
    ((WIDTH == 1254)) || fail "factor $factor: the window is $WIDTH device pixels wide, not 1254"
    # The play area begins at the first dark row below the light menu bar;
    # at a fractional factor the bar's height in device pixels is rounded
    # up and the spare row goes below the play area.
    import -window root "$work/screen.png" || fail "no screenshot"
    bar=$(convert "$work/screen.png" -crop "1254x60+$X+$Y" +repage -colorspace Gray -scale '1x60!' -depth 8 txt:- |
        awk -F'[,:() ]+' 'NR > 1 && $3 < 77 { print $2; exit }')
    ((bar > 0 && bar + 872 <= HEIGHT)) || fail "factor $factor: no menu bar above the play area (first dark row: '$bar')"
    convert "$work/screen.png" -crop "1254x872+$X+$((Y + bar))" +repage "$work/client.png"
    # What the sharpness check looks at must be there: the status line's
    # text and the moon, alone in its grey among the stars around it.
    green=$(count "$work/client.png" 1254x50+0+0 'r==0 && g==1 && b==0')
    ((green >= 80)) || fail "factor $factor: $green green pixels in the status line"
    bounds=$(convert "$work/client.png" -crop 160x160+980+30 +repage -fx 'r==g && g==b && r>0.2 && r<0.95' -format '%@' info:)
    [ "$bounds" = "72x94+34+26" ] || fail "factor $factor: the moon spans $bounds of the 160 x 160 from (980, 30), not 72x94+34+26"
    # Sharp pixels: one pixel of every 2 x 2 block, doubled again, gives
    # the same picture back; any smoothing would leave blends that differ.
    convert "$work/client.png" -sample 50% -sample 200% "$work/blocks.png"
    differ=$(compare -metric AE "$work/client.png" "$work/blocks.png" null: 2>&1)
    [ "$differ" = "0" ] || fail "factor $factor: $differ device pixels differ from their 2 x 2 block"
    kill "$game_pid"
    wait "$game_pid" 2>/dev/null
done

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
box_open() { box=$(windows_named '^Vorlane$' | grep -vx "$window" | head -n1); [ -n "$box" ]; }
show_menu_bar
xdotool mousemove --window "$window" 15 $((strip / 2)) click 1
poll 5 another_window || fail "the Game menu did not open"
for ((i = 0; i < 7; i++)); do xdotool key Right; sleep 0.2; done
xdotool key Down Return
poll 5 box_open || fail "About opened no box"
box_top=$(xwininfo -id "$box" | awk '/Absolute upper-left Y/ { print $NF }')
((box_top > Y + strip + 208)) || fail "the About box opens at row $box_top, over the credits (rows $((Y + strip + 64)) to $((Y + strip + 208)))"
xdotool mousemove --window "$box" 20 20 key Return
poll 5 only_main_window || fail "the About box did not close"

exit_by_menu
echo "PASS: sharp at scale factors 2 and 1.5; opened at scale 2 with a $strip-row strip; $one grey pixels at scale 1, $opened at scale 2, window and moon at $before through Enter twice"
