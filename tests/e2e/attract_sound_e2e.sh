#!/usr/bin/env bash
# Two minutes of the attract display with sound, under a private Xvfb with
# a private PulseAudio on a null sink whose monitor is recorded: the march
# beat goes on to the end, so the last 40 s hold sound in at least 80 % as
# many seconds as the first 40 s do, and the window is still there.
# Usage: attract_sound_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: attract_sound_e2e.sh path/to/vorlane}
start_display
start_sound
install_program "$exe"
start_recording "$work/sound.raw"
start_game
find_window
begun=$(samples_recorded "$work/sound.raw")

recorded_to() { (($(samples_recorded "$work/sound.raw") >= $1)); }
poll 130 recorded_to $((begun + 120 * 22050)) || fail "less than 2 minutes recorded"
alive || fail "the game ended by itself"
from=$((begun / 22050 + 1))
first=$(seconds_with_sound "$work/sound.raw" "$from" $((from + 40)))
last=$(seconds_with_sound "$work/sound.raw" $((from + 79)) $((from + 119)))
((first >= 20)) || fail "the first 40 s hold sound in only $first seconds"
((last * 10 >= first * 8)) || fail "the last 40 s hold sound in $last seconds, against $first in the first 40 s"
echo "PASS: seconds with sound: $first of the first 40, $last of the last 40"
