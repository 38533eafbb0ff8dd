#!/usr/bin/env bash
# Makes the Debian package with tools/make-deb and checks it as a
# distribution would: lintian finds no error, the desktop entry and the
# AppStream metadata validate, everything lies where Debian keeps games
# (the command in /usr/games, the program folder in /usr/lib/games), the
# program is stripped, and the documents and icons are there. Then the
# package is unpacked into a scratch root and the game started from it
# under a private Xvfb, and closed by its menu.
# Usage: package_test.sh <source folder> <build folder for the package>
source "$(dirname "$0")/../e2e/lib.sh"
top=${1:?usage: package_test.sh <source folder> <build folder>}
build=${2:?usage: package_test.sh <source folder> <build folder>}

# example.org stands for the project's home, to have the screenshot checked.
deb=$(VORLANE_HOMEPAGE=https://example.org/vorlane "$top/tools/make-deb" "$build" 2>"$work/make-deb.log") ||
    fail "tools/make-deb failed: $(cat "$work/make-deb.log")"

lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
errors=$(grep -c '^E:' "$work/lintian.log")
((errors == 0)) || fail "lintian: $(grep '^E:' "$work/lintian.log")"

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "cannot unpack $deb"
usr="$root/usr"
[ "$(readlink "$usr/games/vorlane")" = ../lib/games/vorlane/vorlane ] || fail "/usr/games/vorlane does not lead to the program"
file -L "$usr/games/vorlane" | grep -q ', stripped' || fail "the program is not stripped: $(file -L "$usr/games/vorlane")"
for file in ship.bmp Mother.bmp high.wav note4.wav; do
    [ -f "$usr/lib/games/vorlane/$file" ] || fail "$file is not beside the program"
done
for size in 16 24 32 48 64 128 256; do
    icon="$usr/share/icons/hicolor/${size}x$size/apps/vorlane.png"
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x$size" ] || fail "no $size px icon"
done
doc="$usr/share/doc/vorlane"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$doc/copyright" ||
    fail "the copyright file is not machine-readable"
zcat "$doc/changelog.gz" | head -n1 | grep -q '^vorlane (1.0)' || fail "the changelog does not begin with 1.0"
zcat "$usr/share/man/man6/vorlane.6.gz" | grep -q '^\.TH VORLANE 6' || fail "no manual page in section 6"

desktop-file-validate "$usr/share/applications/vorlane.desktop" || fail "the desktop entry does not validate"
metainfo="$usr/share/metainfo/invalid.vorlane.Vorlane.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
    fail "the metadata does not validate: $(cat "$work/appstream.log")"
grep -q '<image>https://example.org/vorlane/docs/screenshot.png</image>' "$metainfo" || fail "no screenshot"
grep -q 'oars-1.1' "$metainfo" || fail "no content rating"

[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "not in section games"
dpkg-deb -f "$deb" Recommends | grep -qw qt6-wayland || fail "qt6-wayland is not recommended"
dpkg-deb -f "$deb" Depends | grep -q gstreamer && fail "still depends on GStreamer"

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

echo "PASS: $(basename "$deb"): lintian $(grep -c '^W:' "$work/lintian.log") warnings and no error; entry, metadata, layout, stripped program, icons and documents right; the unpacked game ran and closed"
