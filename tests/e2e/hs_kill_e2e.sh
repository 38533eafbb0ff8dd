#!/usr/bin/env bash
# The high-score file survives a kill at any moment: hs_writer writes "HS"
# through the game's own writer in an endless loop, alternating two known
# records, and is killed with SIGKILL at 50 random moments, started afresh
# each time. After every kill "HS" is exactly one of the two records (absent
# only until the first write has finished), never a torn mix; a temporary
# file left behind by a kill is written over by a later write, and one more
# full run leaves the last record and no temporary file.
# Usage: hs_kill_e2e.sh path/to/hs_writer
set -u

writer=${1:?usage: hs_kill_e2e.sh path/to/hs_writer}
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# The two records as the writer lays them out: the name's length (16 bits,
# little-endian), the name, zeros up to byte 20, the score as a double.
record() { # name score-bytes
    printf "\\$(printf %03o ${#1})\\000%s" "$1"
    head -c $((18 - ${#1})) /dev/zero
    # shellcheck disable=SC2059 # the score's bytes are octal escapes
    printf "$2"
}
record ACE '\000\000\000\000\000\260\215\100' >"$work/ace"
record NOVA-SEVEN '\000\000\000\000\200\034\310\100' >"$work/nova"
[ "$(od -A n -t f8 -j 20 "$work/ace" | tr -d ' ')" = 950 ] || fail "the expected ACE record is wrong"
[ "$(od -A n -t f8 -j 20 "$work/nova" | tr -d ' ')" = 12345 ] || fail "the expected NOVA-SEVEN record is wrong"

mkdir "$work/dir"
hs="$work/dir/HS"
seen_ace=0 seen_nova=0 left_tmp=0
for ((kill = 1; kill <= 50; kill++)); do
    "$writer" "$work/dir" &
    pid=$!
    sleep "$(printf '0.%03d' $((RANDOM % 60)))"
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null
    pid=
    [ -e "$work/dir/HS.tmp" ] && left_tmp=$((left_tmp + 1))
    if [ ! -e "$hs" ]; then
        ((seen_ace + seen_nova == 0)) || fail "HS vanished at kill $kill"
    elif cmp -s "$hs" "$work/ace"; then
        seen_ace=$((seen_ace + 1))
    elif cmp -s "$hs" "$work/nova"; then
        seen_nova=$((seen_nova + 1))
    else
        fail "HS is torn at kill $kill: $(od -A d -t x1 "$hs" | tr '\n' ' ')"
    fi
done
((seen_ace + seen_nova > 0)) || fail "no write finished before any of the 50 kills"

"$writer" "$work/dir" 2 || fail "the last full write failed"
cmp -s "$hs" "$work/nova" || fail "the last full write did not leave the NOVA-SEVEN record"
[ ! -e "$work/dir/HS.tmp" ] || fail "a temporary file is left after a full write"
echo "PASS: 50 kills: HS was ACE $seen_ace times and NOVA-SEVEN $seen_nova times, a temporary file was left $left_tmp times"
