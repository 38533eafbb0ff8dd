#!/usr/bin/env bash
# The real program when its surroundings fail, under a private Xvfb:
# - a picture missing from the program folder: a message box "Vorlane"
#   opens and no game window ever shows; with a second picture missing the
#   box is a line taller (it lists each missing file); Return closes it and
#   the program ends with a status other than 0, leaving no window behind;
# - no sound server at all (PULSE_SERVER names a socket that does not
#   exist) and a named pipe in place of "HS": the demo plays, a game starts
#   and fires, no dialog opens, nothing waits on the pipe, and Game > Exit
#   ends it with status 0;
# then with a private PulseAudio on a null sink whose monitor is recorded:
# - every sound file missing or broken, each in its own way (a named pipe
#   as the wave opening music, then 1 Hz, over an hour at 8000 Hz as the
#   first march beat, 3 channels, 24 bits, empty, garbage, a folder): the
#   same play, nothing is heard, the game is still there seconds after the
#   beat first came, and Game > Exit ends it with status 0;
# - the sound server stopped (SIGSTOP) before the start: the window appears
#   within a few seconds and keeps moving, and a game plays;
# - the server stopped while the game plays, then killed: the window keeps
#   moving through both.
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

# Plays the demo and a moment of a game, then exits.
plays() { # what is missing
    start_game
    find_window
    demo_plays || fail "$1: the demo does not play"
    plays_a_moment "$1"
    exit_by_menu "$1"
}

install_program "$exe"
mkfifo "$work/bin/HS"
plays "no sound server, a pipe as HS"

start_sound
start_recording "$work/sound.raw"
# A little-endian number of 2 or 4 bytes.
le() { # value bytes
    local i
    for ((i = 0; i < $2; i++)); do printf "\\x$(printf %02x $((($1 >> (8 * i)) & 255)))"; done
}

# A loud PCM wave in the format given, a tenth of a second unless told.
write_wave() { # file channels rate bits [bytes of samples]
    local frame=$(($2 * $4 / 8)) size
    size=${5:-$(($3 / 10 * frame))}
    { printf RIFF; le $((36 + size)) 4; printf 'WAVEfmt '; le 16 4; le 1 2; le "$2" 2; le "$3" 4
      le $(($3 * frame)) 4; le "$frame" 2; le "$4" 2; printf data; le "$size" 4
      head -c "$size" /dev/zero | tr '\0' '\177'; } >"$1"
}

# The window shows the game going on: the demo's ship row changes, again
# and again, for some seconds.
keeps_moving() { # seconds
    local i
    for ((i = 0; i < $1; i++)); do demo_plays || return 1; done
}

bin=$work/bin
install_program "$exe"
# The explosion and the high score's sound are missing, the others broken.
rm -r "$bin"/*.wav
mkfifo "$bin/Sheet.wav"
write_wave "$bin/Fire.wav" 1 1 16
write_wave "$bin/note1.wav" 1 8000 8 $((30 * 1024 * 1024))
write_wave "$bin/note2.wav" 1 22050 24
: >"$bin/note3.wav"
head -c 4000 /dev/urandom >"$bin/note4.wav"
mkdir "$bin/mother.wav"
write_wave "$bin/invader.wav" 3 22050 16
write_wave "$bin/Smallexp.wav" 1 22050 24
start_game
find_window
demo_plays || fail "broken sounds: the demo does not play"
plays_a_moment "broken sounds"
# The long slow beat once took seconds to swell to gigabytes, then crashed
# the game.
sleep 5
alive || fail "broken sounds: the game died seconds after the long slow beat"
(($(loud_bytes "$work/sound.raw") == 0)) || fail "sound was heard with every sound file broken"
exit_by_menu "broken sounds"

# Stopped before the start: no answer from the server counts as no device.
rm -r "$bin"
install_program "$exe"
kill -STOP "$sound_server"
begun=$(date +%s%N)
start_game
poll 15 main_window_shown || fail "stopped server: no window appeared"
waited=$((($(date +%s%N) - begun) / 1000000))
((waited <= 5000)) || fail "stopped server: the window took $waited ms to appear"
geometry
keeps_moving 3 || fail "stopped server: the window does not keep moving"
plays_a_moment "stopped server"
exit_by_menu "stopped server"
kill -CONT "$sound_server"

# Stopped, then killed, while the game runs with sound.
start_game
find_window
sleep 2
kill -STOP "$sound_server"
keeps_moving 3 || fail "server stopped in play: the window does not keep moving"
plays_a_moment "server stopped in play"
kill -KILL "$sound_server"
wait "$sound_server" 2>/dev/null
keeps_moving 2 || fail "server killed in play: the window does not keep moving"
exit_by_menu "server killed in play"
echo "PASS: missing and bad pictures named in a box of $one, then $two rows, the program ending; plays without a sound server and with a pipe as HS; with every sound missing or broken, silently; window in $waited ms with the server stopped; plays on when the server stops and dies"
