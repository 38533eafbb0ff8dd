#!/usr/bin/env bash
# Replays of real games, under a private Xvfb: a game played with xdotool
# (Bombs 1, Game > Start, the arrows and Ctrl until a hit scores, Game >
# Exit) leaves one .vorlane-replay in $XDG_DATA_HOME/vorlane/replays, and
# --verify, run with no display at all, confirms its score. Opening the file alone (as a file manager does)
# shows the game in the window with its menu bar hidden, as in play, and
# its sound on a private PulseAudio's null sink, under a title that says it
# is a replay; the game's keys reach nothing, Pause and Space hold it,
# Escape closes it, Right held plays it fast to the end, which the title
# says, and Enter closes it there; the REPLAY sign stands over a recorded
# menu bar. A replay folder that cannot be made
# costs one line on standard error and nothing else: the game plays and
# exits with status 0. Pictures that differ from the recording's are
# mentioned, and the replay plays anyway. The replay verifies as well under
# the font settings of another screen, and where the captions come out in
# another font altogether.
# Usage: replay_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: replay_e2e.sh path/to/vorlane}
start_display
start_sound
install_program "$exe"
export XDG_DATA_HOME="$work/data"
shelf="$XDG_DATA_HOME/vorlane/replays"

# A game with a hit, played on a moment and left by the menu; the seconds
# count from its Start, where the replay is watched from.
start_game
find_window
choose 3 0
SECONDS=0
start_playing
sleep 1
play_until_scored 30
xdotool keydown Left sleep 0.3 keyup Left key ctrl
# Long enough a game to tell four times its pace from its own.
sleep 6
played=$SECONDS
exit_by_menu "a recorded game"

replays=("$shelf"/*.vorlane-replay)
((${#replays[@]} == 1)) && [ -s "${replays[0]}" ] || fail "Exit left ${#replays[@]} replays in $shelf"
replay=${replays[0]}

# Verified with no display.
verify() { # file
    line=$(env -u DISPLAY QT_QPA_PLATFORM= "$work/bin/vorlane" --verify "$1" 2>&1)
    status=$?
}
verify "$replay"
((status == 0)) || fail "--verify gave status $status: $line"
[[ $line =~ ^verified:\ score\ ([0-9]+),\ wave\ 1$ ]] || fail "--verify said: $line"
score=${BASH_REMATCH[1]}
((score > 0)) || fail "the replay ends with score $score after a hit"

# Verified as well under font settings of another screen: full hinting,
# no smoothing, 144 dpi.
cat >"$work/fonts.conf" <<'EOF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <match target="font">
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintfull</const></edit>
    <edit name="antialias" mode="assign"><bool>false</bool></edit>
    <edit name="dpi" mode="assign"><double>144</double></edit>
  </match>
</fontconfig>
EOF
FONTCONFIG_FILE="$work/fonts.conf" verify "$replay"
((status == 0)) || fail "under other font settings --verify gave status $status: $line"
cat >"$work/other-font.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$work/font-cache</cachedir>
</fontconfig>
EOF
FONTCONFIG_FILE="$work/other-font.conf" verify "$replay"
((status == 0)) || fail "with the captions in another font --verify gave status $status: $line"

# Watching: the file alone opens the window on the game in play, with its
# sound, under a title that says it is a replay with its score; Pause and
# Space hold it, Enter reaches nothing, and Escape closes it.
replay_shown() {
    window=$(windows_named "^Replay of .*, score $score( — Vorlane)?\$" | head -n1)
    [ -n "$window" ]
}
replay_ended() { [ -n "$(windows_named "^Replay of .*, score $score — ended( — Vorlane)?\$")" ]; }
# The left of the menu bar's strip: the recording's sign stands at its right.
strip_left_hidden() {
    geometry
    import -silent -window root "$work/strip.png" || fail "no screenshot"
    awk -v m="$(convert "$work/strip.png" -crop "400x$menu+$X+$Y" +repage -colorspace Gray -format '%[fx:mean]' info:)" \
        'BEGIN { exit !(m == 0) }'
}
watch() {
    "$work/bin/vorlane" "$replay" >"$work/game.log" 2>&1 &
    game_pid=$!
    started+=("$game_pid")
    poll 15 replay_shown || fail "no window titled as a replay of score $score"
    geometry
    poll 10 strip_left_hidden || fail "the replay did not reach the game's start"
}
holds() { # key
    xdotool key "$1"
    sleep 2
    shot "$work/held.png"
    sleep 1
    ! changed "$work/held.png" 627x436+0+0 || fail "$1 did not hold the replay"
    xdotool key "$1"
    poll 5 changed "$work/held.png" 627x436+0+0 || fail "the replay did not go on after $1"
}
start_recording "$work/watch.raw"
watch
point_at_game
# Enter goes first: once the Pause after it has held the replay, Enter
# has come too, and the menu bar stays hidden.
xdotool key Return
holds Pause
strip_left_hidden || fail "Enter reached the game during the replay"
holds space
poll 10 heard "$work/watch.raw" || fail "the replay was not heard"
alive || fail "the replay ended the program"
xdotool key Escape
exits 0 "Escape in the replay"

# Right held plays it four times as fast: the title says it has ended
# within three quarters of its length, which the game's own pace cannot
# reach and four times it reaches with room to spare on a busy machine;
# Enter closes it.
watch
begun=$(date +%s%N)
xdotool keydown Right
poll $((2 * played)) replay_ended || fail "the replay of $played s did not end with Right held"
fast=$((($(date +%s%N) - begun) / 1000000))
xdotool keyup Right
((fast * 4 <= played * 3000)) || fail "the replay of $played s took $fast ms to end with Right held"
alive || fail "the replay closed by itself at its end"
# The recording ends with the menu bar shown (Enter, then Game > Exit): the
# REPLAY sign stands over the bar's right end.
menu_shown || fail "the replay's end does not show the recorded menu bar"
import -silent -window root "$work/bar.png" || fail "no screenshot"
(($(count_colour "$work/bar.png" "120x$menu+$((X + WIDTH - 120))+$Y" 'rgb(160,0,0)') > 100)) ||
    fail "the menu bar covers the REPLAY sign"
xdotool key Return
exits 0 "Enter at the replay's end"

# No replay folder to be had: one line, and the game goes on.
export XDG_DATA_HOME="$work/not-a-folder"
touch "$XDG_DATA_HOME"
start_game
find_window
start_playing
exit_by_menu "a game with no replay folder"
lines=$(grep -c 'replay' "$work/game.log")
((lines == 1)) || fail "$lines lines about the replay on standard error"

# Pictures other than the recording's (one byte more, drawn the same): said,
# and verified all the same.
printf '\0' >>"$work/bin/base.bmp"
verify "$replay"
((status == 0)) || fail "other pictures gave status $status: $line"
[[ $line == *"pictures differ"* ]] || fail "other pictures were not mentioned: $line"

echo "PASS: verified score $score (under other font settings too), watched under its title, held by Pause and Space, closed by Escape, $played s played in $fast ms with Right held and closed by Enter at its end, no folder tolerated, other pictures said"
