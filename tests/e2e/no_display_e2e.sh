#!/usr/bin/env bash
# The game started where there is nothing to show it on: no display named,
# an X display no server answers, a Wayland socket no compositor holds.
# Each time it prints the one line about a graphical desktop session and
# ends with status 1, before Qt can abort. ./play says the same before
# building anything. Qt's own -platform and -display options are followed
# like the environment: -platform wayland with no compositor is refused,
# and so is -display naming a display with no server, even when $DISPLAY
# has one. The offscreen platform the tests use is not refused, asked for
# either way and beside Qt's other options, -display opens the window on
# the display it names, and SIGTERM ends the game with status 0.
# Usage: no_display_e2e.sh path/to/vorlane source-folder
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: no_display_e2e.sh path/to/vorlane source-folder}
top=${2:?usage: no_display_e2e.sh path/to/vorlane source-folder}
line="Vorlane needs a graphical desktop session: no X11 or Wayland display could be opened."
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
install_program "$exe"

# No X server listens on display 4711: its socket is not there.
[ ! -e /tmp/.X11-unix/X4711 ] || fail "display :4711 is in use on this machine"
refused() { # what the run was, then the environment and the arguments
    local what=$1 status
    shift
    env "$@" >"$work/out.log" 2>&1
    status=$?
    ((status == 1)) || fail "$what: status $status, not 1: $(cat "$work/out.log")"
    [ "$(cat "$work/out.log")" = "$line" ] || fail "$what: printed '$(cat "$work/out.log")'"
}
game="$work/bin/vorlane"
refused "no display" "$game"
refused "an X display with no server" DISPLAY=:4711 "$game"
refused "xcb asked for, with no display" QT_QPA_PLATFORM=xcb "$game"
refused "a Wayland socket with no compositor" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nobody-here "$game"
refused "both, neither answering" DISPLAY=:4711 WAYLAND_DISPLAY=nobody-here "$game"
refused "-platform wayland with no compositor" WAYLAND_DISPLAY=nobody-here "$game" -platform wayland
ls "$work"/core* >/dev/null 2>&1 && fail "a core file was left"

"$top/play" >"$work/play.log" 2>&1
status=$?
((status == 1)) || fail "./play with no display: status $status"
[ "$(cat "$work/play.log")" = "$line" ] || fail "./play with no display printed '$(cat "$work/play.log")'"

# SIGTERM ends a game that runs, with status 0.
runs() { # what the run was
    sleep 2
    alive || fail "$1: the game did not run: $(cat "$work/game.log")"
    kill -TERM "$game_pid"
    exits 0 "$1: SIGTERM"
}
QT_QPA_PLATFORM=offscreen start_game
runs "QT_QPA_PLATFORM=offscreen"
start_game -platform offscreen -style Fusion --reverse
runs "-platform offscreen among Qt's options"

start_display
refused "-display with no server, \$DISPLAY with one" "$game" -display :4711
shown=$DISPLAY
unset DISPLAY
start_game -display "$shown"
DISPLAY=$shown find_window
runs "-display naming the only display"

echo "PASS: the one line and status 1 seven times over and from ./play; offscreen and -display run, SIGTERM ends them with 0"
