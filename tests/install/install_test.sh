#!/usr/bin/env bash
# Installs the game into a fresh folder as a player would and checks what
# lands there: the program directory with its pictures and sounds, the
# command that starts it, the desktop entry, the icon at every size, the
# metadata, the manual page, the copyright, and the replay file type that
# the desktop entry opens. A Debian package of this layout is refused, with
# the way to make one.
# Usage: install_test.sh <build folder>
set -eu
build=${1:?usage: install_test.sh <build folder>}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

program="$prefix/lib/vorlane"
[ -x "$program/vorlane" ] || fail "no program in lib/vorlane"
for file in ship.bmp base.bmp Mother.bmp invader.bmp invader1.bmp invexpl.bmp \
            Sheet.wav Fire.wav note1.wav note2.wav note3.wav note4.wav \
            mother.wav expl.wav invader.wav Smallexp.wav high.wav; do
  [ -f "$program/$file" ] || fail "$file is missing beside the program"
done
[ ! -e "$program/HS" ] || fail "a high-score file was installed"
[ "$(readlink -f "$prefix/bin/vorlane")" = "$(readlink -f "$program/vorlane")" ] \
  || fail "bin/vorlane does not start the program in lib/vorlane"

entry="$prefix/share/applications/vorlane.desktop"
for line in 'Exec=vorlane %f' 'MimeType=application/x-vorlane-replay;' 'Categories=Game;ArcadeGame;'; do
  grep -qx "$line" "$entry" || fail "the desktop entry has no $line"; done
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "the replay file type is not valid"
grep -qx 'application/x-vorlane-replay:\*.vorlane-replay' "$prefix/share/mime/globs" \
  || fail "*.vorlane-replay is not a Vorlane replay"
for size in 16 24 32 48 64 128 256; do
  [ "$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x$size/apps/vorlane.png")" = "${size}x$size" ] ||
    fail "no $size x $size icon"; done
for file in metainfo/invalid.vorlane.Vorlane.metainfo.xml man/man6/vorlane.6.gz doc/vorlane/copyright; do
  [ -f "$prefix/share/$file" ] || fail "no share/$file"; done
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$prefix/package" >"$prefix/cpack.log" 2>&1 &&
  fail "CPack made a Debian package of the default layout"
grep -q 'make the Debian package with tools/make-deb' "$prefix/cpack.log" ||
  fail "CPack did not point to tools/make-deb: $(cat "$prefix/cpack.log")"
! ls "$prefix/package"/*.deb >/dev/null 2>&1 || fail "a package was left"
