#!/usr/bin/env bash
# The high-score file survives two copies of the game writing at once and a
# kill at any moment: two hs_writers write "HS" in the same folder through
# the game's own writer, each in an endless loop of ever higher scores, and
# are killed with SIGKILL at 50 random moments, started afresh each time.
# After every kill "HS" is one whole record (absent only until the first
# write has finished): 28 bytes, the name that goes with its score, never
# empty or a torn mix; and its score never goes down, so a higher score one
# copy stored is never replaced by the other's lower one. Temporary files
# left behind by a kill are swept away by a later write: one more full run
# leaves "HS" alone in the folder.
# Usage: hs_kill_e2e.sh path/to/hs_writer
here=$(dirname "$0")
source "$here/lib.sh"

writer=${1:?usage: hs_kill_e2e.sh path/to/hs_writer}

# The first record as the writer lays it out for a name: its length (16
# bits, little-endian), the name, zeros up to byte 20.
record() { # name
    printf "\\$(printf %03o ${#1})\\000%s" "$1"
    head -c $((18 - ${#1})) /dev/zero
}
record ACE >"$work/ace"
record NOVA-SEVEN >"$work/nova"

# The score's 64 bits as a number: for scores above 0 they rise with it.
bits() { od -A n -t u8 -j 20 -N 8 "$1" | tr -d ' '; }

# Checks "HS" is one whole record with a score not below the last one seen.
last=0 seen=0
check() { # what happened just before
    local hs="$work/dir/HS" score
    if [ ! -e "$hs" ]; then
        ((seen == 0)) || fail "HS vanished $1"
        return
    fi
    (($(stat -c %s "$hs") == 28)) || fail "HS is $(stat -c %s "$hs") bytes $1: $(od -A d -t x1 "$hs" | tr '\n' ' ')"
    score=$(bits "$hs")
    if ((score % 2 == 0)); then
        head -c 20 "$hs" | cmp -s - "$work/ace" || fail "HS is torn $1: an even score without ACE"
    else
        head -c 20 "$hs" | cmp -s - "$work/nova" || fail "HS is torn $1: an odd score without NOVA-SEVEN"
    fi
    ((score >= last)) || fail "a lower score replaced a higher one $1"
    last=$score
    seen=$((seen + 1))
}

mkdir "$work/dir"
for ((kill = 1; kill <= 50; kill++)); do
    "$writer" "$work/dir" &
    first=$!
    "$writer" "$work/dir" &
    second=$!
    sleep "$(printf '0.%03d' $((RANDOM % 60)))"
    kill -KILL "$first"
    sleep "$(printf '0.%03d' $((RANDOM % 20)))"
    kill -KILL "$second"
    wait "$first" "$second" 2>/dev/null
    check "at kill $kill"
done
((seen > 0)) || fail "no write finished before any of the 50 kills"

"$writer" "$work/dir" 2 || fail "the last full write failed"
check "after the last full write"
[ "$(ls -A "$work/dir")" = HS ] || fail "files are left beside HS after a full write: $(ls -A "$work/dir" | tr '\n' ' ')"
echo "PASS: two writers killed 50 times: HS was whole and never went down"
