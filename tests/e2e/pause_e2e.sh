#!/usr/bin/env bash
# End-to-end run of the pause under openbox, with sound through a private
# null sink: in a game the Pause key freezes the picture under a "PAUSED"
# sign and silences the sound, and Pause again goes on where the game
# stopped, and a key let go while paused is let go in the game; the
# keyboard going to another window pauses the game by itself
# and coming back goes on, while the attract display never pauses; so does
# minimising the window.
# Usage: pause_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: pause_e2e.sh path/to/vorlane}
start_display
start_window_manager
start_sound
install_program "$exe"
start_recording "$work/sound.raw"
start_game
find_window
xdotool windowactivate --sync "$window"

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
    sign_shown "$work/still2.png" && (($(pixels_differing "$work/still1.png" "$work/still2.png" 1024x768+0+0) == 0))
}
# The game moves again, without the sign.
moving() {
    screen_shot "$work/moving1.png"
    sleep 0.5
    screen_shot "$work/moving2.png"
    ! sign_shown "$work/moving2.png" && (($(pixels_differing "$work/moving1.png" "$work/moving2.png" 1024x768+0+0) > 0))
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

# Right held until the ship moves, Pause, Right let go, Pause: the game
# hears of the release when it goes on, and the ship stands.
shot "$work/held.png"
xdotool keydown Right
ship_moved() { shot "$work/moved.png" && [ "$(ship_x "$work/moved.png")" != "$(ship_x "$work/held.png")" ]; }
poll 5 ship_moved || fail "Right held did not move the ship"
xdotool key Pause keyup Right
poll 5 still || fail "Pause with Right held did not freeze the picture"
xdotool key Pause
poll 5 moving || fail "Pause again did not set the game going"
shot "$work/let_go1.png"
sleep 1
shot "$work/let_go2.png"
[ "$(ship_x "$work/let_go1.png")" = "$(ship_x "$work/let_go2.png")" ] ||
    fail "Right let go while paused: the ship ran on from $(ship_x "$work/let_go1.png") to $(ship_x "$work/let_go2.png")"

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
echo "PASS: Pause froze the picture with $quiet bytes of sound, the game went on; focus away paused, back went on; minimised silent, restored went on"
