#!/usr/bin/env bash
# The game on a Wayland desktop, natively: a headless weston with its
# socket in a private runtime folder, the game told to use Wayland only
# (no X display to fall back on). Qt's side of the protocol is logged: the
# game must give its window a title and show painted buffers, keep
# running for 5 s with at most 60 MB at its peak (no GL driver mapped for a
# window that paints through shared memory), and end with status 0 when
# sent SIGTERM, as a session does at logout.
# Usage: wayland_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: wayland_e2e.sh path/to/vorlane}
unset DISPLAY
export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=vorlane-test

weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$work/weston.log" 2>&1 &
started+=($!)
poll 10 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "weston did not start: $(cat "$work/weston.log")"

install_program "$exe"
WAYLAND_DEBUG=client start_game
sleep 5
alive || fail "the game did not last 5 s on Wayland"
grep -q 'xdg_toplevel@[0-9]*\.set_title' "$work/game.log" || fail "no window was opened on Wayland"
frames=$(grep -c 'wl_surface@[0-9]*\.attach(wl_buffer@' "$work/game.log")
((frames >= 10)) || fail "only $frames buffers were shown in 5 s"

# The window paints through shared memory: no GL driver is mapped for it.
peak=$(awk '/^VmHWM/ { print int($2 / 1024) }' "/proc/$game_pid/status")
((peak <= 60)) || fail "the game took $peak MB at its peak on Wayland"

kill -TERM "$game_pid"
exits 0 "SIGTERM"
echo "PASS: a window on weston, $frames buffers shown in 5 s, $peak MB at the peak, SIGTERM ended the game with status 0"
