#!/usr/bin/env bash
# The folders keep their layers: the check the build runs passes on the
# tree as it is, and fails, naming the file, on a copy where the game's
# window model includes the desktop program's window.
# Usage: layers_test.sh <source folder>
set -u
top=${1:?usage: layers_test.sh <source folder>}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake -DROOT="$top" -P "$top/cmake/check-layers.cmake" >"$work/tree.log" 2>&1 ||
    fail "the tree breaks its layers: $(cat "$work/tree.log")"

for folder in disk resources shell engine scores replay desktop; do cp -r "$top/$folder" "$work/"; done
echo '#include "desktop/window/MainWindow.h"' >>"$work/shell/surface.h"
cmake -DROOT="$work" -P "$top/cmake/check-layers.cmake" >"$work/copy.log" 2>&1 &&
    fail "an include from shell/ into desktop/window/ passed the check"
grep -q 'shell/surface.h: #include "desktop/window/MainWindow.h"' "$work/copy.log" ||
    fail "the check did not name the include: $(cat "$work/copy.log")"
