#!/usr/bin/env bash
# Every shot is heard, and a held fire key keeps firing, with the real
# program under a private Xvfb and a private PulseAudio on a null sink
# whose monitor is recorded. The copy of the program keeps only the sound
# "Fire.wav", so every cue recorded is a shot's:
# - a game of 20 shots, one Ctrl press each, the ship aiming through the
#   gaps between the bases: each press is followed by one cue;
# - Ctrl held alone for 5 s fires again each time the missile has ended:
#   many cues, far more than the one press would give.
# Usage: shots_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: shots_e2e.sh path/to/vorlane}
start_display
start_sound
install_program "$exe" Sheet.wav note1.wav note2.wav note3.wav note4.wav mother.wav expl.wav invader.wav \
    Smallexp.wav high.wav
start_recording "$work/sound.raw"
start_game
find_window

# One bomb at a time, so the ship lives through the shots.
choose 3 0
start_playing
point_at_game

heard_since() { (($(cue_starts "$work/sound.raw" "$1") >= 1)); }

shots=20
for ((shot = 1; shot <= shots; shot++)); do
    alive || fail "the game ended by itself"
    ((shot % 5 == 1)) && aim
    from=$(samples_recorded "$work/sound.raw")
    xdotool key ctrl
    # The recording may lag behind the sound on a busy machine.
    poll 3 heard_since "$from" || fail "shot $shot: no cue heard after the press"
    # The missile climbs the screen in well under a second.
    sleep 0.8
    heard_now=$(cue_starts "$work/sound.raw" "$from")
    ((heard_now == 1)) || fail "shot $shot: $heard_now cues heard after the press"
done

# Held: the first repeat comes after half a second, then each repeat that
# finds the missile gone fires again.
from=$(samples_recorded "$work/sound.raw")
xdotool keydown ctrl sleep 5 keyup ctrl
sleep 0.5
held=$(cue_starts "$work/sound.raw" "$from")
((held >= 6)) || fail "Ctrl held for 5 s fired $held times"
alive || fail "the game ended by itself"
exit_by_menu
echo "PASS: $shots shots, each heard; Ctrl held for 5 s fired $held times"
