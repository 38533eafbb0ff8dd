#!/usr/bin/env bash
# End-to-end run of fullscreen and of the pause under openbox on a
# 1900 x 1320 screen, with sound through a private null sink. The window
# opens with the play area at scale 2 (scale 3 would not leave room for
# the frame and the menu bar); F11 makes it fill the screen, with the play
# area at scale 3, centred on black, every 3 x 3 block one colour and the
# moon at its place, tripled; F11 again brings the window back, and the
# window will not be sized below what holds the play area at scale 1.
# There, in a game the Pause key freezes the picture under a "PAUSED"
# sign and silences the sound, and Pause again goes on where the game
# stopped; the keyboard going to another window pauses the game by itself
# and coming back goes on, while the attract display never pauses; so does
# minimising the window.
# Usage: pause_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: pause_e2e.sh path/to/vorlane}
screen=1900x1320x24 start_display
start_window_manager
start_sound
install_program "$exe"
start_recording "$work/sound.raw"
start_game
find_window
sleep 1
xdotool windowactivate --sync "$window"
where
((WIDTH == 1254)) || fail "the window opens $WIDTH wide, not at scale 2 (1254)"
windowed="${WIDTH}x$HEIGHT"

full_screen() { where; ((X == 0 && Y == 0 && WIDTH == 1900 && HEIGHT == 1320)); }
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
geometry

# The middle of the play area, where the sign stands.
sign=200x40+$((X + 213))+$((Y + menu + 198))
sign_shown() { # picture
    (($(convert "$1" -crop "$sign" +repage -fill white -opaque white -fill black +opaque white \
        -format '%[fx:round(mean*w*h)]' info:) > 100))
}
# The whole screen, as it is now.
screen_shot() { import -silent -window root "$1" || fail "no screenshot"; }
# Two screenshots a second apart are the same picture, with the sign.
still() {
    screen_shot "$work/still1.png"
    sleep 1
    screen_shot "$work/still2.png"
    sign_shown "$work/still2.png" && (($(pixels_differing "$work/still1.png" "$work/still2.png" 1900x1320+0+0) == 0))
}
# The game moves again, without the sign.
moving() {
    screen_shot "$work/moving1.png"
    sleep 0.5
    screen_shot "$work/moving2.png"
    ! sign_shown "$work/moving2.png" && (($(pixels_differing "$work/moving1.png" "$work/moving2.png" 1900x1320+0+0) > 0))
}
# The bytes recorded in the next seconds that are not silence.
sound_in_next() { # seconds
    local from
    from=$(stat -c %s "$work/sound.raw")
    sleep "$1"
    tail -c +"$((from + 1))" "$work/sound.raw" | head -c "$(($1 * 44100))" >"$work/slice.raw"
    loud_bytes "$work/slice.raw"
}

# Between games the attract display goes on while another window has the
# keyboard.
xmessage -geometry +600+500 "away from the attract display" &
away=$!
started+=("$away")
sleep 1
moving || fail "the attract display paused when another window took the keyboard"
kill "$away"
xdotool windowactivate --sync "$window"

# One bomb at a time, so that the ship outlives the run.
choose 3 0
start_playing
xdotool windowactivate --sync "$window"
# The march's beat is short notes, a few hundred loud bytes a second; the
# null sink gives exact silence between them.
(($(sound_in_next 3) > 100)) || fail "no sound in the game before the pause"

shot "$work/before.png"
xdotool key Pause
poll 5 still || fail "Pause did not freeze the picture under its sign"
quiet=$(sound_in_next 2)
((quiet == 0)) || fail "$quiet bytes of sound while paused"
shot "$work/paused.png"

xdotool key Pause
poll 5 moving || fail "Pause again did not set the game going"
shot "$work/after.png"
[ "$(ship_x "$work/after.png")" = "$(ship_x "$work/paused.png")" ] || fail "the ship moved over the pause"
# Lives and wave as they were: the game went on, it did not start again.
(($(pixels_differing "$work/paused.png" "$work/after.png" 180x25+328+0) == 0)) ||
    fail "the wave or the lives changed over the pause"
(($(sound_in_next 3) > 100)) || fail "no sound after the pause"

# Another window takes the keyboard: the game pauses; back, it goes on.
xmessage -geometry +600+500 "away from the game" &
started+=($!)
poll 10 still || fail "the game did not pause when another window took the keyboard"
xdotool windowactivate --sync "$window"
poll 5 moving || fail "the game did not go on when its window had the keyboard again"

# Minimised, the game is silent; restored, its beat sounds again.
xdotool windowminimize --sync "$window"
silent_second() { (($(sound_in_next 1) == 0)); }
poll 5 silent_second || fail "the game sounded on after it was minimised"
minimised=$(sound_in_next 2)
((minimised == 0)) || fail "$minimised bytes of sound while minimised"
xdotool windowactivate --sync "$window"
poll 5 moving || fail "the game did not go on when its window came back"
(($(sound_in_next 3) > 100)) || fail "no sound after the window came back"

exit_by_menu
echo "PASS: fullscreen with the play area at scale 3, sharp, moon $moon; Pause froze the picture with $quiet bytes of sound, the game went on; focus away paused, back went on; minimised silent, restored went on"
