#!/usr/bin/env bash
# End-to-end run of the real window: starts a copy of the game under a
# private Xvfb, finds its window, takes a screenshot and checks the client
# area: 627 x 436 below the menu bar, the green status line along the top,
# the grey moon of the starfield, and a mostly black sky.
# Usage: window_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: window_e2e.sh path/to/vorlane}
start_display
install_program "$exe"
start_game
find_window
# Let the demo run a moment so the window is painted.
sleep 1.5
alive || fail "the game ended by itself"

shot "$work/client.png"
[ "$WIDTH" -eq 627 ] || fail "window is $WIDTH wide, not 627"
[ "$HEIGHT" -gt 436 ] || fail "window is $HEIGHT high: no room for the menu bar above 436 rows"

green=$(count "$work/client.png" 627x25+0+0 'r==0 && g==1 && b==0')
[ "$green" -ge 20 ] || fail "status line: $green green pixels in the top 25 rows"

moon=$(count "$work/client.png" 36x47+507+28 'r==g && g==b && r>0.2 && r<0.95')
[ "$moon" -ge 40 ] || fail "moon: $moon grey pixels at x 507..542, y 28..74"

lit=$(convert "$work/client.png" -fill white +opaque black -colorspace Gray -format '%[fx:round(mean*w*h)]' info:)
[ "$lit" -le $((627 * 436 / 5)) ] || fail "sky: $lit of $((627 * 436)) pixels are not black"

bar=$(convert "$work/screen.png" -crop "627x$menu+$X+$Y" +repage -colorspace Gray -format '%[fx:mean]' info:)
awk -v m="$bar" 'BEGIN { exit !(m > 0.3) }' || fail "menu bar above the play area is dark ($bar)"

echo "PASS: window 627x$HEIGHT, client 627x436 under a ${menu}-row menu bar; $green green status pixels, $moon moon pixels, $lit lit pixels"
