#!/usr/bin/env bash
# The real program when its sound goes wrong, under a private Xvfb with a
# private PulseAudio on a null sink whose monitor is recorded:
# - every sound file broken, each in its own way (a named pipe as the wave
#   opening music, then 1 Hz, over an hour at 8000 Hz as the first march
#   beat, 3 channels, 24 bits, empty, garbage, a folder): the window opens,
#   the demo plays, a game starts and fires, no dialog opens, nothing is
#   heard, the game is still there seconds after the beat first came, and
#   Game > Exit ends it with status 0;
# - the sound server stopped (SIGSTOP) before the start: the window appears
#   within a second and keeps moving, and a game plays;
# - the server stopped while the game plays, then killed: the window keeps
#   moving through both.
# Usage: sound_faults_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: sound_faults_e2e.sh path/to/vorlane}
start_display
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
rm -r "$bin"/*.wav
mkfifo "$bin/Sheet.wav"
write_wave "$bin/Fire.wav" 1 1 16
write_wave "$bin/note1.wav" 1 8000 8 $((30 * 1024 * 1024))
write_wave "$bin/note2.wav" 1 22050 24
: >"$bin/note3.wav"
head -c 4000 /dev/urandom >"$bin/note4.wav"
mkdir "$bin/mother.wav"
write_wave "$bin/expl.wav" 1 1 16
write_wave "$bin/invader.wav" 3 22050 16
write_wave "$bin/Smallexp.wav" 1 22050 24
head -c 4000 /dev/urandom >"$bin/high.wav"
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
((waited <= 1000)) || fail "stopped server: the window took $waited ms to appear"
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
echo "PASS: plays on with every sound broken, silently; window in $waited ms with the server stopped; plays on when the server stops and dies"
