#!/usr/bin/env bash
# The name prompt of a new high score, with the real program under a
# private Xvfb. Ctrl held down as the last ship goes up and on under the
# open prompt fires nothing into the game: the replay of that game
# verifies. Told to end by SIGTERM, or its window asked to close, while
# the prompt is open, the program takes the name typed so far, keeps it in
# "HS" and ends with status 0.
# Usage: prompt_e2e.sh path/to/vorlane path/to/wm_client
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: prompt_e2e.sh path/to/vorlane path/to/wm_client}
wm_client=${2:?usage: prompt_e2e.sh path/to/vorlane path/to/wm_client}
start_display
install_program "$exe"
export XDG_DATA_HOME="$work/data"
shelf="$XDG_DATA_HOME/vorlane/replays"
hs="$work/bin/HS"

# Scores, then lets 30 fast bombs end the game while the ship stays under
# the formation; the name prompt opens.
play_to_prompt() {
    start_game
    find_window
    choose 3 0
    start_playing
    # The status line shows the score of 0 before the first hit is looked for.
    sleep 1
    play_until_scored 30
    choose 3 13
    choose 4 1
    point_at_game
    xdotool keydown ctrl
    play_until_prompt 40
}
# The name "HS" holds.
stored_name() {
    local length
    length=$(od -A n -t u2 -N 2 "$hs" | tr -d ' ')
    dd if="$hs" bs=1 skip=2 count="$length" 2>/dev/null
}

# Ctrl held through the game's end and a second of the prompt, let go, and
# a name typed.
play_to_prompt
sleep 1
xdotool keyup ctrl
answer_prompt "ZED"
exit_by_menu "the game answered by name"
replays=("$shelf"/*.vorlane-replay)
((${#replays[@]} == 1)) || fail "${#replays[@]} replays were kept"
line=$(env -u DISPLAY QT_QPA_PLATFORM= "$work/bin/vorlane" --verify "${replays[0]}" 2>&1)
[[ $line == verified:* ]] || fail "the game with Ctrl held through the prompt: $line"

# A name typed into the prompt, then the program told to end: "HS" keeps
# the name.
typed_then() { # name, what ends the program
    rm -f "$hs"
    play_to_prompt
    xdotool keyup ctrl
    xdotool mousemove --window "$prompt" 20 20
    xdotool type --delay 20 "$1"
    sleep 0.3
    "$2"
    exits 0 "$2 at the prompt"
    [ "$(stored_name)" = "$1" ] || fail "HS holds the name '$(stored_name)' after $2 at the prompt"
}
sigterm() { kill -TERM "$game_pid"; }
close_request() { "$wm_client" close "$window"; }
typed_then ACE sigterm
typed_then BOB close_request
echo "PASS: $line; SIGTERM and a close at the prompt kept the names typed"
