#!/usr/bin/env bash
# Makes the Debian packages with tools/make-deb and checks them as a
# distribution would: lintian finds no error (an unstripped program or a
# missing copyright file is one), the AppStream metadata validates, the
# command lies in /usr/games, and the documents are there (the files the
# install test finds in its own layout are installed by the same rules,
# so are not looked for again). The hall's
# package needs nothing of the desktop, its service verifies, and its
# server, unpacked, proves a replay sent to it. Then the game's package is
# unpacked into a scratch root and the game started from it under a
# private Xvfb, and closed by its menu.
# Usage: package_test.sh <source folder> <build folder for the package>
source "$(dirname "$0")/../e2e/lib.sh"
top=${1:?usage: package_test.sh <source folder> <build folder>}
build=${2:?usage: package_test.sh <source folder> <build folder>}

# example.org stands for the project's home, to have the screenshot checked.
debs=$(VORLANE_HOMEPAGE=https://example.org/vorlane "$top/tools/make-deb" "$build" 2>"$work/make-deb.log") ||
    fail "tools/make-deb failed: $(cat "$work/make-deb.log")"
{ read -r deb; read -r hall_deb; } <<<"$debs"
[ -n "${hall_deb:-}" ] || fail "no vorlane-hall package: $debs"

lintian --tag-display-limit 0 "$deb" "$hall_deb" >"$work/lintian.log" 2>&1
errors=$(grep -c '^E:' "$work/lintian.log")
((errors == 0)) || fail "lintian: $(grep '^E:' "$work/lintian.log")"

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "cannot unpack $deb"
usr="$root/usr"
[ "$(readlink "$usr/games/vorlane")" = ../lib/games/vorlane/vorlane ] || fail "/usr/games/vorlane does not lead to the program"
doc="$usr/share/doc/vorlane"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$doc/copyright" ||
    fail "the copyright file is not machine-readable"
zcat "$doc/changelog.gz" | head -n1 | grep -q '^vorlane (1.0)' || fail "the changelog does not begin with 1.0"
metainfo="$usr/share/metainfo/invalid.vorlane.Vorlane.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
    fail "the metadata does not validate: $(cat "$work/appstream.log")"
grep -q '<image>https://example.org/vorlane/docs/screenshot.png</image>' "$metainfo" || fail "no screenshot"
grep -q 'oars-1.1' "$metainfo" || fail "no content rating"

[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "not in section games"
dpkg-deb -f "$deb" Recommends | grep -qw qt6-wayland || fail "qt6-wayland is not recommended"
dpkg-deb -f "$deb" Depends | grep -q gstreamer && fail "still depends on GStreamer"

# The hall: the server, the game's pictures its proofs play with, a
# service that verifies, and nothing of the desktop.
hall_root="$work/hall-root"
dpkg-deb -x "$hall_deb" "$hall_root" || fail "cannot unpack $hall_deb"
program="$hall_root/usr/lib/vorlane-hall"
[ "$(readlink "$hall_root/usr/bin/vorlane-hall")" = ../lib/vorlane-hall/vorlane-hall ] ||
    fail "/usr/bin/vorlane-hall does not lead to the server"
[ "$(ls "$program"/*.bmp | wc -l)" = 6 ] || fail "the six pictures are not beside the server"
desktop=$( (dpkg-deb -f "$hall_deb" Depends; ldd "$program/vorlane-hall") | grep -ioE 'widgets|sdl' | sort -u)
[ -z "$desktop" ] || fail "the hall needs the desktop's libraries: $desktop"
unit="$work/unit/vorlane-hall.service"
mkdir -p "$work/unit"
sed "s|/usr/bin/vorlane-hall|$hall_root/usr/bin/vorlane-hall|" "$hall_root/usr/lib/systemd/system/vorlane-hall.service" >"$unit"
if command -v systemd-analyze >/dev/null; then
    verified=$(systemd-analyze verify --man=no "$unit" 2>&1) && [ -z "$verified" ] ||
        fail "the service does not verify: $verified"
fi
# The server, started from the package, answers and proves: an unfinished
# game comes back refused for what its playback found.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$hall_root/usr/bin/vorlane-hall" --listen "127.0.0.1:$port" --database "sqlite:$work/hall.sqlite" >"$work/hall.log" 2>&1 &
started+=($!)
poll 10 grep -qs serving "$work/hall.log" || fail "the packaged hall did not start: $(cat "$work/hall.log")"
replay="$top/tests/replay/data/version-3.vorlane-replay"
exec 3<>"/dev/tcp/127.0.0.1/$port"
{ printf 'POST /api/replays HTTP/1.1\r\nHost: hall\r\nContent-Length: %d\r\nConnection: close\r\n\r\n' \
    "$(stat -c %s "$replay")"; cat "$replay"; } >&3
answer=$(timeout 60 cat <&3)
exec 3<&-
grep -q '^HTTP/1.1 422' <<<"$answer" && grep -q 'the game did not reach its game over' <<<"$answer" ||
    fail "the packaged hall did not prove a replay: $answer"

# The game from the unpacked package: start_game runs $work/bin/vorlane.
ln -s "$usr/games" "$work/bin"
start_display
start_game
find_window
sleep 1.5
shot "$work/client.png"
green=$(count "$work/client.png" 627x25+0+0 'r==0 && g==1 && b==0')
((green >= 20)) || fail "the status line is not drawn: $green green pixels"
exit_by_menu "the packaged game"

