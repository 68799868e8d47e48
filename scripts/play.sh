#!/usr/bin/env bash
# Sets up, builds and starts the game from the build folder, where its resources/ are made.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" play
cd "${BRINDLEWICK_BUILD_DIR:-$root/build}"
exec ./brindlewick
