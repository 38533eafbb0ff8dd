#!/usr/bin/env bash
# The game started where there is nothing to show it on: no display named,
# an X display no server answers, a Wayland socket no compositor holds.
# Each time it prints the one line about a graphical desktop session and
# ends with status 1, before Qt can abort. ./play says the same before
# building anything. The offscreen platform the tests use is not refused,
# and SIGTERM ends the game with status 0.
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
refused() { # what the run was, then the environment to start the game in
    local what=$1 status
    shift
    env "$@" "$work/bin/vorlane" >"$work/out.log" 2>&1
    status=$?
    ((status == 1)) || fail "$what: status $status, not 1: $(cat "$work/out.log")"
    [ "$(cat "$work/out.log")" = "$line" ] || fail "$what: printed '$(cat "$work/out.log")'"
}
refused "no display"
refused "an X display with no server" DISPLAY=:4711
refused "xcb asked for, with no display" QT_QPA_PLATFORM=xcb
refused "a Wayland socket with no compositor" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nobody-here
refused "both, neither answering" DISPLAY=:4711 WAYLAND_DISPLAY=nobody-here
ls "$work"/core* >/dev/null 2>&1 && fail "a core file was left"

"$top/play" >"$work/play.log" 2>&1
status=$?
((status == 1)) || fail "./play with no display: status $status"
[ "$(cat "$work/play.log")" = "$line" ] || fail "./play with no display printed '$(cat "$work/play.log")'"

QT_QPA_PLATFORM=offscreen start_game
sleep 2
alive || fail "the game refused the offscreen platform"
kill -TERM "$game_pid"
exit_status 10
status=$?
((status == 0)) || fail "SIGTERM ended the game with status $status"

echo "PASS: the one line and status 1 five times over and from ./play; offscreen runs, SIGTERM ends it with 0"
