#!/usr/bin/env bash
# A flood of 10000 random keys, with and without Shift, Ctrl and Alt, sent
# through xdotool in batches of 500 while a game is in play under a private
# Xvfb. Afterwards the program is alive, its window still shows at its
# width with the status line, the play goes on (the picture keeps
# changing), and Game > Exit ends it with status 0. A name prompt that the
# flood may have brought up (a game lost with a score) is answered first.
# The keys are drawn from a seed printed with the result.
# Usage: key_flood_e2e.sh path/to/vorlane
here=$(dirname "$0")
source "$here/lib.sh"

exe=${1:?usage: key_flood_e2e.sh path/to/vorlane}
seed=${SEED:-$$}
RANDOM=$seed
keys=(Left Right Up Down Return space Escape Tab BackSpace a z q 1 9 minus equal plus comma period slash
    F1 F5 Home End Page_Up KP_Add KP_Subtract KP_Enter Shift_L Control_L Alt_L Control_R
    shift+Left shift+a ctrl+Right ctrl+x alt+Left alt+g ctrl+shift+z ctrl+alt+Return)

start_display
install_program "$exe"
start_game
find_window
start_playing
point_at_game
for ((batch = 0; batch < 20; batch++)); do
    flood=()
    for ((i = 0; i < 500; i++)); do flood+=("${keys[RANDOM % ${#keys[@]}]}"); done
    xdotool key --delay 0 "${flood[@]}" || fail "xdotool could not send batch $batch"
    alive || fail "the game died during batch $batch (seed $seed)"
done

# The queue of keys drains and the picture changes again; the timers stand
# still while a name prompt is open, so one is answered first.
settled() { prompt_open || changed "$work/flooded.png" 627x436+0+0; }
shot "$work/flooded.png"
poll 20 settled || fail "the window stands still after the flood (seed $seed)"
sleep 1
if prompt_open; then
    answer_prompt "Flood"
    shot "$work/flooded.png"
    poll 10 changed "$work/flooded.png" 627x436+0+0 || fail "the window stands still after the prompt (seed $seed)"
fi

alive || fail "the game died after the flood (seed $seed)"
find_window
((WIDTH == 627)) || fail "the window is $WIDTH wide after the flood"
shot "$work/after.png"
green=$(count_colour "$work/after.png" 627x25+0+0 'rgb(0,255,0)')
((green >= 20)) || fail "the status line is gone: $green green pixels (seed $seed)"
only_main_window || fail "a dialog or menu is open after the flood (seed $seed)"

exit_by_menu "seed $seed"
echo "PASS: 10000 keys (seed $seed), the window alive and changing, Exit 0"
