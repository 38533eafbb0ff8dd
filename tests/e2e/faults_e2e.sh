#!/usr/bin/env bash
# The real program when its surroundings fail, under a private Xvfb:
# - a picture missing from the program folder: a message box "Vorlane"
#   opens and no game window ever shows; Return closes it and the program
#   ends with a status other than 0, leaving no window behind;
# - no sound server at all (PULSE_SERVER names a socket that does not
#   exist) and a named pipe in place of "HS": the demo plays, a game starts
#   and fires, no dialog opens, nothing waits on the pipe, and Game > Exit
#   ends it with status 0;
# then with a private PulseAudio on a null sink:
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
install_program "$exe" Mother.bmp
start_game
poll 15 box_open || fail "no message box for a missing picture"
! main_window_shown || fail "the game window shows behind the message box"
xdotool mousemove --window "$box" 20 20 key Return
poll 10 ended || fail "Return did not end the program"
wait "$game_pid" && fail "the program ended with status 0 with a picture missing"
[ -z "$(xdotool search --onlyvisible --name '^Vorlane$' 2>/dev/null)" ] || fail "a game window is left behind"

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

# The window shows the game going on: the demo's ship row changes, again
# and again, for some seconds.
keeps_moving() { # seconds
    local i
    for ((i = 0; i < $1; i++)); do demo_plays || return 1; done
}

# Stopped before the start: no answer from the server counts as no device.
start_sound
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
echo "PASS: a missing picture named in a box, the program ending; plays without a sound server and with a pipe as HS; window in $waited ms with the server stopped; plays on when the server stops and dies"
