#!/usr/bin/env bash
# End-to-end run of the real window: starts the game under X (a private
# Xvfb when no display is set), finds its window, takes a screenshot and
# checks the client area: 627 x 436 below the menu bar, the green status
# line along the top, the grey moon of the starfield, and a mostly black sky.
# Usage: window_e2e.sh path/to/vorlane
set -u

exe=${1:?usage: window_e2e.sh path/to/vorlane}
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
xvfb_pid=
game_pid=

cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -s "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log"
    exit 1
}

# Counts the pixels of a region of an image for which an fx expression is 1.
count() { # image geometry expression
    convert "$1" -crop "$2" +repage -fx "$3" -format '%[fx:round(mean*w*h)]' info:
}

if [ -z "${DISPLAY:-}" ]; then
    # Xvfb picks a free display itself and writes its number to fd 3.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$work/display")"
fi

"$exe" >"$work/game.log" 2>&1 &
game_pid=$!

window=$(timeout 10 xdotool search --sync --onlyvisible --pid "$game_pid" 2>/dev/null | head -n1)
[ -n "$window" ] || fail "no window appeared"
# Let the demo run a moment so the window is painted.
sleep 1.5
kill -0 "$game_pid" 2>/dev/null || fail "the game ended by itself"

eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" -eq 627 ] || fail "window is $WIDTH wide, not 627"
[ "$HEIGHT" -gt 436 ] || fail "window is $HEIGHT high: no room for the menu bar above 436 rows"
menu=$((HEIGHT - 436))

import -window root "$work/screen.png" || fail "no screenshot"
convert "$work/screen.png" -crop "627x436+$X+$((Y + menu))" +repage "$work/client.png"

green=$(count "$work/client.png" 627x25+0+0 'r==0 && g==1 && b==0')
[ "$green" -ge 20 ] || fail "status line: $green green pixels in the top 25 rows"

moon=$(count "$work/client.png" 36x47+507+28 'r==g && g==b && r>0.2 && r<0.95')
[ "$moon" -ge 40 ] || fail "moon: $moon grey pixels at x 507..542, y 28..74"

lit=$(convert "$work/client.png" -fill white +opaque black -colorspace Gray -format '%[fx:round(mean*w*h)]' info:)
[ "$lit" -le $((627 * 436 / 5)) ] || fail "sky: $lit of $((627 * 436)) pixels are not black"

bar=$(convert "$work/screen.png" -crop "627x$menu+$X+$Y" +repage -colorspace Gray -format '%[fx:mean]' info:)
awk -v m="$bar" 'BEGIN { exit !(m > 0.3) }' || fail "menu bar above the play area is dark ($bar)"

echo "PASS: window 627x$HEIGHT, client 627x436 under a ${menu}-row menu bar; $green green status pixels, $moon moon pixels, $lit lit pixels"
