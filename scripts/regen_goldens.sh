#!/usr/bin/env bash
# Remakes the committed per-frame digests of the golden replays (tests/replay/goldens/*.digests), and the reference
# pictures of the frames their pixels are checked at (*.frameN.png), after an intended change in the game's behaviour
# or its picture. The pictures are read from this machine's window, so make them under Xvfb with Mesa's software
# renderer, as the tests run. Usage: scripts/regen_goldens.sh [build dir, default build]
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$(readlink -f "${1:-$source_dir/build}")"
cmake --build "$build_dir" --parallel 2 --target display_tests
display_tests="$(find "$build_dir" -name display_tests -type f -perm -u+x | head -n 1)"
cd "$build_dir"
BRINDLEWICK_REGEN_GOLDENS=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$display_tests" --gtest_filter='Scripts/GoldenReplay.*:GoldenPixels.*'
git -C "$source_dir" status --short -- tests/replay/goldens
