#!/usr/bin/env bash
# End-to-end run of the real window on screens of twice and of one and a
# half times the density: a copy of the program folder runs with a scale
# factor of 2, then of 1.5, under a private Xvfb of 1600 x 1200, and a
# screenshot must show the client area at 1254 x 872 device pixels (scale
# 2, the largest that fits the screen) below the menu bar, drawn with sharp
# pixels (every 2 x 2 block of device pixels one colour, across the stars,
# the moon and the status line) and the moon at its place, doubled.
# Usage: hidpi_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: hidpi_e2e.sh path/to/vorlane}
screen=1600x1200x24 start_display
install_program "$exe"

for factor in 2 1.5; do
    export QT_SCALE_FACTOR=$factor
    start_game
    find_window
    # Let the demo run a moment so the window is painted.
    sleep 1.5
    alive || fail "the game ended by itself"

    where
    [ "$WIDTH" -eq 1254 ] || fail "window is $WIDTH device pixels wide, not 1254"
    [ "$HEIGHT" -gt 872 ] || fail "window is $HEIGHT high: no room for the menu bar above 872 rows"

    # The play area begins at the first dark row below the light menu bar;
    # at a fractional factor the bar's height in device pixels is rounded
    # up and the spare row goes below the play area.
    import -window root "$work/screen.png" || fail "no screenshot"
    menu=$(convert "$work/screen.png" -crop "1254x60+$X+$Y" +repage -colorspace Gray -scale '1x60!' -depth 8 txt:- |
        awk -F'[,:() ]+' 'NR > 1 && $3 < 77 { print $2; exit }')
    ((menu > 0 && menu + 872 <= HEIGHT)) || fail "no menu bar above the play area (first dark row: '$menu')"
    convert "$work/screen.png" -crop "1254x872+$X+$((Y + menu))" +repage "$work/client.png"

    # What the sharpness check looks at must be there: the status line's text
    # and the moon, with the stars around them.
    green=$(count "$work/client.png" 1254x50+0+0 'r==0 && g==1 && b==0')
    [ "$green" -ge 80 ] || fail "status line: $green green pixels in the top 50 rows"
    grey='r==g && g==b && r>0.2 && r<0.95'
    moon=$(count "$work/client.png" 72x94+1014+56 "$grey")
    [ "$moon" -ge 160 ] || fail "moon: $moon grey pixels at x 1014..1085, y 56..149"
    # Around the moon nothing else is grey, so the grey pixels' bounds are the
    # moon's own.
    bounds=$(convert "$work/client.png" -crop 160x160+980+30 +repage -fx "$grey" -format '%@' info:)
    [ "$bounds" = "72x94+34+26" ] || fail "moon spans $bounds of the 160 x 160 from (980, 30), not 72x94+34+26"

    # Sharp pixels: taking one pixel of every 2 x 2 block and doubling it again
    # gives the same picture back. Any smoothing would leave blends that differ.
    convert "$work/client.png" -sample 50% -sample 200% "$work/blocks.png"
    differ=$(compare -metric AE "$work/client.png" "$work/blocks.png" null: 2>&1)
    [ "$differ" = "0" ] || fail "$differ device pixels differ from their 2 x 2 block: the picture is not sharp"

    echo "scale factor $factor: window 1254x$HEIGHT, client 1254x872 under a ${menu}-row menu bar; every 2x2 block one colour; $green green status pixels, $moon moon pixels at x 1014..1085, y 56..149"
    kill "$game_pid"
    wait "$game_pid" 2>/dev/null
done
echo "PASS: sharp at scale factors 2 and 1.5"
