#!/usr/bin/env bash
# Sets up, builds and runs every test. Tests that need a display run under Xvfb when there is none.
# The tests include static analysis (label lint) and the sanitizer build and run (label sanitize); arguments go
# to ctest, so scripts/test.sh -LE 'lint|sanitize' leaves those out.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" test
cd "${BRINDLEWICK_BUILD_DIR:-$root/build}"

run=()
if [ -z "${DISPLAY:-}" ]; then
    run=(xvfb-run -a -s "-screen 0 1280x1024x24 -noreset")
fi
"${run[@]}" ctest --output-on-failure --timeout 600 "$@"
