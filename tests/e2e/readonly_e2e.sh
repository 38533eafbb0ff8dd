#!/usr/bin/env bash
# The real program in a program folder it may not write to: a copy of the
# folder without write permission, and, when the test runs as root (for
# whom permissions do not stop a write), the game run as "nobody" through
# setpriv on an Xvfb open to every local user (-ac). A game is played to
# its end with a new high score as in game_e2e; the name typed at the
# prompt shows on the status line, kept in memory, while "HS" and its
# temporary file are never created and no error dialog opens; Game > Exit
# ends with status 0.
# Usage: readonly_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: readonly_e2e.sh path/to/vorlane}
start_display -ac
install_program "$exe"
chmod -R a-w "$work/bin"

runner=()
player=$(id -un)
if [ "$(id -u)" = 0 ]; then
    mkdir -m 700 "$work/nobody"
    chown nobody "$work/nobody"
    player=nobody
    runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$work/nobody" XDG_RUNTIME_DIR="$work/nobody")
fi
! "${runner[@]}" touch "$work/bin/HS" 2>/dev/null || fail "the program folder can be written to: the test proves nothing"

start_game "${runner[@]}"
find_window
choose 3 0
start_playing
end_with_new_high_score "Nobody"

sleep 1
only_main_window || fail "another window opened after the name was typed"
[ ! -e "$work/bin/HS" ] || fail "HS was written into the read-only folder"
[ ! -e "$work/bin/HS.tmp" ] || fail "HS.tmp was written into the read-only folder"
poll 3 name_shown "$before" || fail "the status line does not show the name: text ended at $before, now at $(high_end "$work/name.png")"

exit_by_menu
echo "PASS: played as $player in a read-only folder: the name is kept in memory, no HS, no dialog, Exit 0"
