#!/usr/bin/env bash
# Checks the two package lists: what ./play installs, with everything it
# pulls in, holds no test tool (a player gets the game, not GoogleTest,
# clang, a virtual X server, ImageMagick or PulseAudio), and no package is
# in both lists.
# Usage: package_lists_test.sh <source folder>
set -eu
source=${1:?usage: package_lists_test.sh <source folder>}
fail() { echo "FAIL: $*"; exit 1; }

packages() { grep -v -e '^#' -e '^$' "$1"; }
play=$(packages "$source/tools/packages-play")
testing=$(packages "$source/tools/packages-test")

both=$(comm -12 <(sort <<<"$play") <(sort <<<"$testing"))
[ -z "$both" ] || fail "in both lists: $both"

# Every alternative of every dependency is followed, so this errs on the
# side of finding a tool.
pulled=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
  --no-replaces --no-enhances $play 2>/dev/null | grep -v -e '^ ' -e '^<' | sort -u)
[ "$(wc -l <<<"$pulled")" -gt 100 ] || fail "apt-cache found only $(wc -l <<<"$pulled") packages for the play list"
# The test list names the tools; these are the packages behind some of
# them. dpkg-dev is listed for the packaging but comes with build-essential,
# and fonts-dejavu-core (a second typeface for the replay test) is one of
# the fonts fontconfig may pull in for any desktop program.
tools="$(grep -vx -e dpkg-dev -e fonts-dejavu-core <<<"$testing") googletest libgmock-dev clang-14 imagemagick-6.q16 xserver-common"
for tool in $tools; do
  ! grep -qx "$tool" <<<"$pulled" || fail "./play would install the test tool $tool"
done
