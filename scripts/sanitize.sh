#!/usr/bin/env bash
# Builds the game, its tools and its tests with AddressSanitizer and UndefinedBehaviorSanitizer (leak detection
# on) in a separate folder, then runs the whole test suite there (unit, display, e2e; not the fuzz run, which has
# its own sanitizers, nor the package checks, which build and install the plain release) and one whole game of the real executable played with the keyboard, all under a private
# Xvfb with OpenAL Soft's null output. Any sanitizer report fails the run.
# Usage: scripts/sanitize.sh [extra ctest arguments...]
# The folder is build-asan/ (or $BRINDLEWICK_ASAN_BUILD_DIR). ctest runs this as the test sanitize.asan_ubsan.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRINDLEWICK_ASAN_BUILD_DIR:-$root/build-asan}"
supp="$root/tests/sanitizers"

# The sanitizer build registers no lint or sanitizer tests of its own (BRINDLEWICK_CHECKS=OFF); this guard also
# stops a run started from inside one, whatever its build says.
if [ -n "${BRINDLEWICK_SANITIZER_RUN:-}" ]; then
    echo "already inside a sanitizer run: not starting another"
    exit 77
fi
export BRINDLEWICK_SANITIZER_RUN=1

for tool in gcc xvfb-run xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool not found: scripts/setup.sh test installs it" >&2
        exit 1
    fi
done

# Every program below runs with these, including the asset tools during the build.
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp"

sanitize="-fsanitize=address,undefined -fno-omit-frame-pointer"

# First make sure the sanitizers report here at all (a leak and an overflow must both fail), so a silent pass
# below means something.
mkdir -p "$build/sanitizers"
canary="$build/sanitizers/canary"
cat >"$canary.cpp" <<'EOF'
#include <cstdio>
#include <cstdlib>
int* volatile lost;
int main(int argc, char**)
{
    if (argc == 2)
    {
        volatile int big = 2147483647;
        std::printf("%d\n", big + argc);
        return 0;
    }
    lost = new int[4];
    lost = nullptr;
    return 0;
}
EOF
g++ $sanitize -g -O1 "$canary.cpp" -o "$canary"
if "$canary" >/dev/null 2>&1; then
    echo "the leak canary passed: LeakSanitizer does not work here (is the run traced?)" >&2
    exit 1
fi
if "$canary" overflow >/dev/null 2>&1; then
    echo "the overflow canary passed: UndefinedBehaviorSanitizer does not halt here" >&2
    exit 1
fi

# Mesa unloads its driver before the leak check at exit; tests/sanitizers/keep_loaded.c keeps it (see there).
keep_loaded="$build/sanitizers/libkeep_loaded.so"
if [ ! -f "$keep_loaded" ] || [ "$supp/keep_loaded.c" -nt "$keep_loaded" ]; then
    gcc -shared -fPIC -O2 -o "$keep_loaded" "$supp/keep_loaded.c"
fi

# -O1 with debug information: quick enough to build, and stacks that point at lines. Debug keeps assert() on.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DBRINDLEWICK_TESTS=ON -DBRINDLEWICK_BENCH=OFF -DBRINDLEWICK_FUZZ=OFF -DBRINDLEWICK_CHECKS=OFF \
    -DCMAKE_CXX_FLAGS="$sanitize -O1" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_CXX_STANDARD_LIBRARIES="-Wl,--no-as-needed $keep_loaded" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

# One Xvfb for the suite and the game: the same software OpenGL whatever display the caller has.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
    set -u
    cd "$1" && shift
    status=0
    # The scripts that time the game against its music or the clock (soak, flood, stall, bad files, the beat
    # scenes) measure the plain build; under the sanitizers, which slow every frame, one whole game played with
    # the keyboard (below) stands for them.
    ctest --output-on-failure --timeout 600 -LE "^(fuzz|lint|sanitize|package)$" \
        -E "^e2e[.](soak|flood|stall|bad_files|music_to_the_end|escape_on_the_beat|world_on_the_beat|beat_timing|stems_start|silent_play|calibrate)$" "$@" ||
        status=1
    echo "== a whole game under the sanitizers"
    bash "$0" ./brindlewick . || status=1
    exit "$status"
' "$supp/whole_game.sh" "$build" "$@"
