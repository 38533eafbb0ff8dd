#!/usr/bin/env bash
# End-to-end run of fullscreen under openbox on a 1900 x 1320 screen: the
# window opens with the play area at scale 2 (scale 3 would not leave room
# for the frame and the menu bar); F11 makes it fill the screen, with the
# play area at scale 3, centred on black, every 3 x 3 block one colour and
# the moon at its place, tripled; F11 again brings the window back, and
# the window will not be sized below what holds the play area at scale 1.
# Usage: fullscreen_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: fullscreen_e2e.sh path/to/vorlane}
screen=1900x1320x24 start_display
start_window_manager
install_program "$exe"
start_game
find_window
sleep 1
alive || fail "the game ended by itself"
where
((WIDTH == 1254)) || fail "the window opens $WIDTH wide, not at scale 2 (1254)"
windowed="${WIDTH}x$HEIGHT"

full_screen() { where; ((X == 0 && Y == 0 && WIDTH == 1900 && HEIGHT == 1320)); }
xdotool windowactivate --sync "$window"
xdotool key F11
poll 5 full_screen || fail "F11 did not fill the screen: ${WIDTH}x$HEIGHT at $X,$Y"
# Enter hides the menu bar, which lies over the top of the screen.
xdotool key Return
top_black() {
    import -silent -window root "$work/screen.png" || fail "no screenshot"
    (($(count "$work/screen.png" 1900x6+0+0 'r+g+b>0') == 0))
}
poll 5 top_black || fail "the top of the screen is not black after Enter"

# The play area at scale 3 is 1881 x 1308: 9 columns left, 10 right, 6 rows
# above and below it are black.
for border in 9x1320+0+0 10x1320+1890+0 1900x6+0+0 1900x6+0+1314; do
    lit=$(count "$work/screen.png" "$border" 'r+g+b>0')
    ((lit == 0)) || fail "fullscreen border $border: $lit pixels are not black"
done
convert "$work/screen.png" -crop 1881x1308+9+6 +repage "$work/play.png"
convert "$work/play.png" -sample '627x436!' -sample '1881x1308!' "$work/blocks.png"
differ=$(compare -metric AE "$work/play.png" "$work/blocks.png" null: 2>&1)
[ "$differ" = "0" ] || fail "fullscreen: $differ pixels differ from their 3 x 3 block"
# The moon spans 34 x 47 from (509, 28) at scale 1.
moon=$(convert "$work/play.png" -crop 240x240+1440+0 +repage -fill white -opaque 'rgb(200,200,200)' \
    -fill black +opaque white -format '%@' info:)
[ "$moon" = "102x141+87+84" ] || fail "fullscreen: the moon spans $moon of the corner, not 102x141+87+84"

xdotool key F11
windowed_again() { where; [ "${WIDTH}x$HEIGHT" = "$windowed" ]; }
poll 5 windowed_again || fail "F11 again left the window ${WIDTH}x$HEIGHT, not $windowed"

# Sized smaller than the play area, the window stops where scale 1 fits.
xdotool windowsize "$window" 300 200
smallest() { where; ((WIDTH == 627 && HEIGHT == 436 + (${windowed#*x} - 872))); }
poll 5 smallest || fail "sized to 300 x 200 the window is ${WIDTH}x$HEIGHT, not the smallest to hold scale 1"

echo "PASS: window $windowed at scale 2; fullscreen 1900x1320 with the play area at scale 3 from (9, 6), sharp, moon $moon; back to $windowed; smallest ${WIDTH}x$HEIGHT"
