# Shared start-up of the end-to-end runs, sourced by each script: a work
# folder of its own, a private Xvfb (it picks a free display through
# -displayfd; -noreset keeps it ready for the next game when one ends),
# optionally a private PulseAudio with one null sink "vorlane" whose
# monitor can be recorded, a copy of the program folder to run (the game
# writes "HS" beside itself), and helpers that find the game's windows,
# read pixels of the client area with ImageMagick, drive the menus and play
# a game with xdotool. Everything started here is ended by the EXIT trap,
# by its process id. Nothing is shared between scripts, so CTest may run
# them side by side.
#
# Sound: the program plays through SDL2, whose PulseAudio driver finds the
# server through PULSE_SERVER. Unless a script starts its own server,
# PULSE_SERVER names a socket that does not exist and autospawn is off, so
# no run ever reaches a sound server of the machine (SDL then finds no
# device and the game runs silently). Run by root with --system=false,
# PulseAudio only warns; HOME and its runtime folder point into the work
# folder, and it runs in the foreground with nothing but the null sink and
# an anonymous unix socket; $sound_server holds its process id.
set -u
export QT_QPA_PLATFORM=xcb

work=$(mktemp -d)
# Readable by all: the read-only run plays the game as "nobody".
chmod 755 "$work"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" PULSE_RUNTIME_PATH="$work/run/pulse"
mkdir -p "$HOME" "$PULSE_RUNTIME_PATH"
chmod 700 "$XDG_RUNTIME_DIR"
printf 'autospawn = no\n' >"$work/client.conf"
export PULSE_CLIENTCONFIG="$work/client.conf"
export PULSE_SERVER="unix:$work/no-sound-server"

started=()     # process ids to end on exit
game_pid=      # the running game
window=        # its main window
prompt=        # the name prompt, while it is open
menu=0         # rows of menu bar above the client area

cleanup() {
    local i
    # A process a script has stopped ends when it is let go on again.
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do kill "${started[i]}" 2>/dev/null && kill -CONT "${started[i]}" 2>/dev/null; done
    wait 2>/dev/null
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -s "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log"
    exit 1
}

# Polls a command every tenth of a second until it succeeds or the seconds
# run out.
poll() { # seconds command...
    local tries=$(($1 * 10))
    shift
    while ((tries-- > 0)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# A screen of 1024 x 768 unless $screen names another size.
start_display() { # extra Xvfb options...
    Xvfb -displayfd 3 -screen 0 "${screen:-1024x768x24}" -nolisten tcp -noreset "$@" 3>"$work/display" >/dev/null 2>&1 &
    started+=($!)
    poll 10 test -s "$work/display" || fail "Xvfb did not start"
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY
}

# Starts openbox, for the runs that need a window manager: fullscreen, and
# the keyboard going to another window.
start_window_manager() {
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    started+=($!)
    poll 10 window_manager_running || fail "openbox did not start: $(cat "$work/openbox.log")"
}
window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

start_sound() {
    local socket="$work/pulse.sock"
    pulseaudio --daemonize=no --use-pid-file=no --exit-idle-time=-1 --system=false -n \
        --load="module-null-sink sink_name=vorlane" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$socket" >"$work/pulse.log" 2>&1 &
    sound_server=$!
    started+=("$sound_server")
    export PULSE_SERVER="unix:$socket"
    poll 10 pactl info >/dev/null 2>&1 || fail "PulseAudio did not start: $(cat "$work/pulse.log")"
}

# Records what the null sink plays, as 16-bit mono samples, until the end.
start_recording() { # file
    parec -d vorlane.monitor --format=s16le --rate=22050 --channels=1 --latency-msec=20 >"$1" 2>/dev/null &
    started+=($!)
}

# The bytes of a recording that are not silence; heard: more than a few.
loud_bytes() { # file
    tr -d '\0' <"$1" | wc -c
}
heard() { (($(loud_bytes "$1") > 1000)); }

# The recording's length so far, in samples (22050 a second).
samples_recorded() { # file
    echo $(($(stat -c %s "$1") / 2))
}

# The seconds from one to another of a recording that hold sound: more
# than 10 ms of samples above a whisper.
seconds_with_sound() { # file from to
    od -An -v -t d2 -w2 -j $(($2 * 44100)) -N $((($3 - $2) * 44100)) "$1" |
        awk '{ if ($1 > 64 || $1 < -64) loud[int((NR - 1) / 22050)]++ }
             END { for (s in loud) if (loud[s] > 220) n++; print n + 0 }'
}

# The cues that start in a recording from a sample on: a 10 ms stretch
# that is loud and more than half as loud again as the stretch before,
# which finds a cue that cuts off the one before it too. The 300 ms after a
# start count for nothing: the shot's cue lasts 200 ms, and on a busy
# machine its sound may break off and go on again within it.
cue_starts() { # file [from sample]
    od -An -v -t d2 -w2 -j $((${2:-0} * 2)) "$1" |
        awk '{ sum += $1 < 0 ? -$1 : $1 }
             NR % 220 == 0 { level = sum / 220; sum = 0; stretch++
                             if (level > 6000 && level > 1.5 * last && stretch > quiet) { n++; quiet = stretch + 30 }
                             last = level }
             END { print n + 0 }'
}

# Copies the program folder to $work/bin, leaving out the files named.
install_program() { # exe [file to leave out...]
    cp -r "$(dirname "$1")/." "$work/bin" || fail "cannot copy the program folder"
    shift
    rm -f "$work/bin/HS" "$work/bin/HS.tmp"
    local file
    for file in "$@"; do rm -f "$work/bin/$file"; done
}

# Writes an "HS" of 10 points by "OLD".
old_high_score() { # file
    {
        printf '\003\000OLD'
        head -c 15 /dev/zero
        printf '\000\000\000\000\000\000\044\100'  # 10.0
    } >"$1"
}

# The first bytes of a file are a record of a name: its length, then the
# name.
holds_name() { # file name
    cmp -s -n $((2 + ${#2})) "$1" <(printf "\\$(printf %03o ${#2})\\000%s" "$2")
}

# Starts the copy with arguments, behind the command in $runner
# (setpriv ...) if any.
runner=()
start_game() { # [arguments...]
    "${runner[@]}" "$work/bin/vorlane" "$@" >"$work/game.log" 2>&1 &
    game_pid=$!
    started+=("$game_pid")
}

alive() { kill -0 "$game_pid" 2>/dev/null; }
ended() { ! alive; }

# Waits for the game to end with a status.
exits() { # status what ended it
    poll 10 ended || fail "$2 did not end the game"
    wait "$game_pid"
    local status=$?
    ((status == $1)) || fail "$2 ended the game with status $status"
}

# Chooses Game > Exit and expects the game to end with status 0.
exit_by_menu() { # what the run was, for the message
    choose 0 1
    exits 0 "${1:+$1: }Exit"
}

# The visible windows of the game with a title matching a pattern.
windows_named() { # pattern
    xdotool search --all --onlyvisible --pid "$game_pid" --name "$1" 2>/dev/null
}

# The main window: titled Vorlane like the message boxes, but wider than
# the play area.
main_window_shown() {
    local id width
    window=
    for id in $(windows_named '^Vorlane$'); do
        width=$(xwininfo -id "$id" | awk '/^  Width:/ { print $NF }')
        ((width >= 627)) && window=$id && return 0
    done
    return 1
}
find_window() {
    poll 15 main_window_shown || fail "no window appeared"
    geometry
}

# The visible windows of the game other than the main window: a menu that
# is open, a dialog.
other_windows() {
    xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | grep -vx "$window"
}
only_main_window() { [ -z "$(other_windows)" ]; }
another_window() { ! only_main_window; }

# The name prompt, in $prompt.
prompt_open() {
    prompt=$(windows_named '^!!! High score !!!$' | head -n1)
    [ -n "$prompt" ]
}
prompt_closed() { ! prompt_open; }

# Reads the window's place on the screen and its size into X, Y, WIDTH and
# HEIGHT. (xdotool counts a window manager's frame twice in the place.)
where() {
    eval "$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { print "X=" $NF }
        /Absolute upper-left Y/ { print "Y=" $NF } /^  Width:/ { print "WIDTH=" $NF } /^  Height:/ { print "HEIGHT=" $NF }')"
}

# Reads the window's place and size, and the height of the strip that the
# menu bar lies on, for a window holding the play area at scale 1.
geometry() {
    where
    menu=$((HEIGHT - 436))
}

# The mean grey level of the menu bar's strip: light while the bar shows,
# black while the game has hidden its menus. The strip keeps its height.
strip_grey() {
    geometry
    import -silent -window root "$work/strip.png" || fail "no screenshot"
    convert "$work/strip.png" -crop "${WIDTH}x$menu+$X+$Y" +repage -colorspace Gray -format '%[fx:mean]' info:
}
menu_shown() { awk -v m="$(strip_grey)" 'BEGIN { exit !(m > 0.3) }'; }
menu_hidden() { awk -v m="$(strip_grey)" 'BEGIN { exit !(m == 0) }'; }

# Saves the client area, 627 x 436 below the menu bar, as a picture.
shot() { # file
    geometry
    import -silent -window root "$work/screen.png" || fail "no screenshot"
    convert "$work/screen.png" -crop "627x436+$X+$((Y + menu))" +repage "$1"
}

# Counts the pixels of a region of a picture for which an fx expression is 1.
count() { # picture geometry expression
    convert "$1" -crop "$2" +repage -fx "$3" -format '%[fx:round(mean*w*h)]' info:
}

# Counts the pixels of one colour in a region of a picture.
count_colour() { # picture geometry colour
    convert "$1" -crop "$2" +repage -fill white -opaque "$3" -fill black +opaque white \
        -format '%[fx:round(mean*w*h)]' info:
}

# The missile in a new shot: a bar of pure green 2 pixels wide and 8 high
# below the status line. Nothing else is such a bar: the bases are a
# darker green, and a star or an invader has only the odd pure green
# pixel.
missile_seen() {
    shot "$work/missile.png"
    (($(convert "$work/missile.png" -crop 627x411+0+25 +repage -fill white -opaque 'rgb(0,255,0)' \
        -fill black +opaque white -morphology Erode rectangle:2x8 -format '%[fx:round(mean*w*h)]' info:) > 0))
}

# The mean column of a colour within a region, -1 when it is not there:
# the mask is squeezed into one row, whose grey levels weigh the columns.
middle_of() { # picture geometry colour
    convert "$1" -crop "$2" +repage -fill white -opaque "$3" -fill black +opaque white \
        -colorspace Gray -scale "${2%%x*}x1!" -depth 16 txt:- |
        awk -F'[,:() ]+' 'NR > 1 { sum += $1 * $4; n += $4 } END { print n ? int(sum / n + 0.5) : -1 }'
}

# The ship's blue in its row; the invaders' green over the sky.
ship_x() { middle_of "$1" 627x36+0+400 'rgb(60,180,255)'; }
# The ship stands whole in a new shot, not going up in flames.
ship_whole() {
    shot "$work/ship.png"
    (($(count_colour "$work/ship.png" 627x36+0+400 'rgb(60,180,255)') > 150))
}
formation_x() { middle_of "$1" 627x295+0+25 'rgb(96,240,128)'; }

# The number of pixels in which two pictures differ within a region.
pixels_differing() { # picture picture geometry
    convert "$1" -crop "$3" +repage "$work/a.png"
    convert "$2" -crop "$3" +repage "$work/b.png"
    compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1
}

# The right end of the status line's green text of the high score with
# its holder.
high_end() { # picture
    convert "$1" -crop 321x25+2+0 +repage -fill white -opaque 'rgb(0,255,0)' -fill black +opaque white txt:- |
        awk -F'[,:]' '/#FFFFFF/ && $1 > end { end = $1 } END { print end + 0 }'
}

# A new shot differs from the picture in a region.
changed() { # picture geometry
    sleep 0.3
    shot "$work/now.png"
    (($(pixels_differing "$1" "$work/now.png" "$2") > 0))
}

# The demo plays: the ship's row changes within a few seconds.
demo_plays() {
    shot "$work/demo.png"
    poll 5 changed "$work/demo.png" 627x36+0+400
}

# The high score's holder shows on the status line: its text reaches at
# least 30 columns further than it did.
name_shown() { # end of the text before
    shot "$work/name.png"
    (($(high_end "$work/name.png") >= $1 + 30))
}

# Plays a moment of a game: Start, a shot and a step to the right; the
# game must live through it with no dialog or other window.
plays_a_moment() { # what is wrong
    start_playing
    point_at_game
    xdotool key ctrl keydown Right sleep 0.3 keyup Right key ctrl
    sleep 2
    alive || fail "$1: the game died"
    only_main_window || fail "$1: a dialog or another window opened"
}

# Keys go to the window under the pointer (there is no window manager).
point_at_game() { xdotool mousemove --window "$window" 300 200; }

# Enter shows the menu bar when it is hidden.
show_menu_bar() {
    geometry
    menu_shown && return
    point_at_game
    xdotool key Return
    poll 10 menu_shown || fail "Enter did not show the menu bar"
}

# Chooses an item by keyboard: click the first title, Right to the menu,
# Down to the item. A menu reached by Right opens on its first item; the
# first, opened by the click, on none.
choose() { # menu number (0 = Game) item number (0 = first)
    local menus=$1 downs=$2 i
    show_menu_bar
    ((menus == 0)) && downs=$((downs + 1))
    xdotool mousemove --window "$window" 15 $((menu / 2)) click 1
    poll 5 another_window || fail "the Game menu did not open"
    for ((i = 0; i < menus; i++)); do xdotool key Right; sleep 0.2; done
    for ((i = 0; i < downs; i++)); do xdotool key Down; done
    sleep 0.2
    xdotool key Return
    poll 5 only_main_window || fail "the menu did not close"
}

# Game > Start, then waits for the wave's opening pause to end: the menu
# bar goes when it does.
start_playing() {
    choose 0 0
    poll 10 menu_hidden || fail "Start did not hide the menu bar"
    sleep 0.3
}

# Steers the ship, from a new shot in $work/play.png, to the gap between
# two bases that lies nearest under the middle of the formation, where its
# missiles fly freely into the columns marching past.
aim() {
    local ship middle target=132 gap key=Right
    shot "$work/play.png"
    ship=$(ship_x "$work/play.png")
    middle=$(formation_x "$work/play.png")
    for gap in 244 356 468; do ((gap - middle < middle - target)) && target=$gap; done
    ((ship >= 0 && middle >= 0 && (target - ship > 4 || ship - target > 4))) || return 0
    ((target < ship)) && key=Left
    # The ship covers 240 units a second.
    xdotool keydown "$key" sleep "$(awk -v d=$((target - ship)) 'BEGIN { printf "%.2f", (d < 0 ? -d : d) / 240 }')" keyup "$key"
}

# Aims and fires until the score on the status line changes.
play_until_scored() { # seconds
    local until=$((SECONDS + $1))
    point_at_game
    shot "$work/score.png"
    while ((SECONDS < until)); do
        alive || fail "the game ended by itself"
        aim
        (($(pixels_differing "$work/score.png" "$work/play.png" 123x25+504+0) > 0)) && return
        xdotool key ctrl
    done
    fail "the score did not change within $1 s"
}

# Stays under the formation, where the bombs fall, until the game is lost
# and the name prompt opens; sets $prompt.
play_until_prompt() { # seconds
    local until=$((SECONDS + $1))
    point_at_game
    while ((SECONDS < until)); do
        alive || fail "the game ended by itself"
        prompt_open && return
        aim
    done
    fail "no name prompt within $1 s"
}

# Types a name into the prompt, then any further keys, and presses Return.
answer_prompt() { # name [key...]
    xdotool mousemove --window "$prompt" 20 20
    xdotool type --delay 20 "$1"
    shift
    (($#)) && xdotool key "$@"
    xdotool key Return
    poll 5 prompt_closed || fail "the name prompt did not close"
    point_at_game
}

# Scores, then lets 30 fast bombs (Bombs 30, Bomb Speed High) end the game
# and answers the name prompt. Leaves in $before where the high score's text
# ended while the name was still "!".
end_with_new_high_score() { # name [key...]
    play_until_scored 30
    choose 3 13
    choose 4 1
    play_until_prompt 40
    shot "$work/prompt.png"
    before=$(high_end "$work/prompt.png")
    answer_prompt "$@"
}
