#!/usr/bin/env bash
# Every shot is heard, with the real
# program under a private Xvfb and a private PulseAudio on a null sink
# whose monitor is recorded. The copy of the program keeps only the sound
# "Fire.wav", so every cue recorded is a shot's:
# - a game of 20 shots, the ship aiming through the gaps between the bases,
#   one Ctrl press each once the last missile has been gone from the
#   screen for three pictures in a row:
#   each press that fires (a missile is seen climbing after it) is followed
#   by one cue.
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

# One bomb at a time, so the ship mostly lives through the shots.
choose 3 0
start_playing
point_at_game

heard_since() { (($(cue_starts "$work/sound.raw" "$1") >= 1)); }

# A press counts as a shot when the game fires: a missile is seen climbing
# after it. The last one must be gone first, or the game cannot fire, and
# a missile in flight may be hidden in one picture, where the game
# repaints an invader or draws a bomb over it: gone means gone in three
# pictures in a row (on a busy machine the game's ticks come late and a
# missile climbs slower). A ship going up in flames fires nothing: such a
# press is rightly silent.
missile_long_gone() { ! missile_seen && ! missile_seen && ! missile_seen; }
shots=20 fired=0 presses=0
while ((fired < shots)); do
    alive || fail "the game ended by itself"
    # The ship stands under the formation, where the bombs fall, and on a
    # busy machine the game lasts long enough for it to lose its last
    # life: the shots go on in a new game.
    if prompt_open; then
        answer_prompt ACE
        start_playing
        point_at_game
        aim
    fi
    ((presses++ < 2 * shots)) || fail "only $fired of $presses presses found the game able to fire"
    ((fired % 5 == 0)) && aim
    poll 5 missile_long_gone || continue
    ship_whole || continue
    from=$(samples_recorded "$work/sound.raw")
    xdotool key ctrl
    poll 1 missile_seen || continue
    fired=$((fired + 1))
    # The recording may lag behind the sound on a busy machine, and a
    # device opened again after a silence plays its first cue late.
    poll 15 heard_since "$from" || fail "shot $fired: a missile climbs, but no cue was heard after the press"
    sleep 0.3
    heard_now=$(cue_starts "$work/sound.raw" "$from")
    ((heard_now == 1)) || fail "shot $fired: $heard_now cues heard after the press"
done

# Standing still under the bombs, the ship may lose its last life at any
# moment until the game has ended, and the name prompt then takes the
# keyboard: it is answered and the way out begins again. An Enter that
# came while the ship went up in flames waits behind the prompt and the
# next wave's opening pause, and shows the menu bar after them.
for ((tries = 0; tries < 3; tries++)); do
    if prompt_open; then
        answer_prompt ACE
        poll 5 menu_shown
    fi
    (choose 0 1) >"$work/leave.log" && poll 10 ended && break
done
alive && fail "Game > Exit did not end the game in three tries: $(cat "$work/leave.log")"
wait "$game_pid" || fail "Exit ended the game with status $?"
echo "PASS: $shots shots in $presses presses, each heard"
