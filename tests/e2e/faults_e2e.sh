#!/usr/bin/env bash
# The real program when its surroundings fail, under a private Xvfb:
# - a picture missing from the program folder: a message box "Vorlane"
#   opens and no game window ever shows; with a second picture missing the
#   box is a line taller (it lists each missing file); Return closes it and
#   the program ends with a status other than 0, leaving no window behind;
#   a damaged picture and a named pipe in place of another are named the
#   same way;
# - no sound server at all (PULSE_SERVER names a socket that does not
#   exist): the demo plays, a game starts and fires, no dialog opens, and
#   Game > Exit ends it with status 0;
# - every sound missing, with a private PulseAudio on a null sink: the same
#   play, and the sink's monitor records nothing but silence;
# - named pipes in place of "HS" and of the fire and opening sounds: the
#   same play, and nothing waits on them.
# Usage: faults_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: faults_e2e.sh path/to/vorlane}
start_display

box_open() {
    box=$(windows_named '^Vorlane$' | head -n1)
    [ -n "$box" ]
}

# Opens the copy with pictures missing; notes the height of the box.
missing_picture_box() {
    start_game
    poll 15 box_open || fail "no message box for $*"
    ! main_window_shown || fail "the game window shows behind the message box"
    eval "$(xdotool getwindowgeometry --shell "$box")"
    xdotool mousemove --window "$box" 20 20 key Return
    exit_status 10 && fail "the program ended with status 0 with $* missing"
    [ -z "$(xdotool search --onlyvisible --name '^Vorlane$' 2>/dev/null)" ] || fail "a game window is left behind"
    box_height=$HEIGHT
}

install_program "$exe" Mother.bmp
missing_picture_box Mother.bmp
one=$box_height
rm "$work/bin/ship.bmp"
missing_picture_box Mother.bmp ship.bmp
two=$box_height
((two > one)) || fail "the box does not grow with a second missing picture ($one, then $two rows)"
install_program "$exe" invexpl.bmp
printf 'BM not a picture' >"$work/bin/ship.bmp"
mkfifo "$work/bin/invexpl.bmp"
missing_picture_box "a damaged ship.bmp and a pipe as invexpl.bmp"
((box_height == two)) || fail "the box for two bad pictures is $box_height rows, not $two"
rm "$work/bin/invexpl.bmp"

# Plays the demo and a moment of a game, then exits.
plays() { # what is missing
    start_game
    find_window
    demo_plays || fail "$1: the demo does not play"
    plays_a_moment "$1"
    exit_by_menu "$1"
}

install_program "$exe"
plays "no sound server"

start_sound
start_recording "$work/sound.raw"
install_program "$exe" Sheet.wav Fire.wav note1.wav note2.wav note3.wav note4.wav mother.wav expl.wav invader.wav \
    Smallexp.wav high.wav
plays "no sound files"
[ -s "$work/sound.raw" ] || fail "nothing was recorded from the null sink"
(($(loud_bytes "$work/sound.raw") == 0)) || fail "sound was heard with every sound file missing"

install_program "$exe" Fire.wav Sheet.wav
mkfifo "$work/bin/HS" "$work/bin/Fire.wav" "$work/bin/Sheet.wav"
plays "pipes as HS and sounds"

echo "PASS: missing and bad pictures named in a box of $one, then $two rows, the program ending; plays without a sound server, without sound files and with pipes in their place"
