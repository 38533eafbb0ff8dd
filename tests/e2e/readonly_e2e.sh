#!/usr/bin/env bash
# The real program in a program folder it may not write to, as a package
# installed under /usr is: a copy of the folder without write permission
# holding an "HS" of 10 points by "OLD", and, when the test runs as root
# (for whom permissions do not stop a write), the game run as "nobody"
# through setpriv on an Xvfb open to every local user (-ac), with its own
# XDG_DATA_HOME. A game is played to its end with a new high score as in
# game_e2e; the name typed at the prompt shows on the status line, no error
# dialog opens, nothing is written into the program folder, and the record
# is kept in $XDG_DATA_HOME/vorlane/HS. A second run of the program starts
# with that high score and name on its status line, not with "OLD"'s.
# Game > Exit ends each run with status 0.
# Usage: readonly_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: readonly_e2e.sh path/to/vorlane}
start_display -ac
install_program "$exe"
old_high_score "$work/bin/HS"
chmod -R a-w "$work/bin"

mkdir -m 700 "$work/player"
data="$work/player/data"
runner=(env XDG_DATA_HOME="$data")
player=$(id -un)
if [ "$(id -u)" = 0 ]; then
    chown nobody "$work/player"
    player=nobody
    runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups
        env HOME="$work/player" XDG_RUNTIME_DIR="$work/player" XDG_DATA_HOME="$data")
fi
! "${runner[@]}" touch "$work/bin/HS.new" 2>/dev/null || fail "the program folder can be written to: the test proves nothing"

start_game
find_window
choose 3 0
start_playing
end_with_new_high_score "Nobody"

sleep 1
only_main_window || fail "another window opened after the name was typed"
poll 3 name_shown "$before" || fail "the status line does not show the name: text ended at $before, now at $(high_end "$work/name.png")"
kept=$(high_end "$work/name.png")
[ "$(ls -A "$work/bin" | grep -c '^HS')" = 1 ] || fail "a file was written into the read-only folder: $(ls -A "$work/bin" | grep '^HS' | tr '\n' ' ')"
[ -f "$data/vorlane/HS" ] || fail "no HS in the player's data folder"
holds_name "$data/vorlane/HS" Nobody || fail "the player's HS does not hold the name"
exit_by_menu "the first run"

start_game
find_window
settled_name() { shot "$work/again.png" && (($(high_end "$work/again.png") == kept)); }
poll 5 settled_name || fail "the second run shows a high score ending at $(high_end "$work/again.png"), not at $kept"
exit_by_menu "the second run"
echo "PASS: played as $player in a read-only folder: the high score went to the player's data folder and came back in a second run"
