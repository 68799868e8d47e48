#!/usr/bin/env bash
# Builds the benchmarks in Release (in build-bench/), runs every one of them (under Xvfb where there is no display,
# with OpenAL Soft's null output where there is no sound card) and prints one table: each figure beside the
# reference it is measured against in the same run. Arguments go to the benchmark program
# (e.g. --benchmark_filter=benchWorldFrame). The machine's other work shows in the figures: run it on a quiet one.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRINDLEWICK_BENCH_DIR:-$root/build-bench}"

source "$root/scripts/packages.bash"
install_packages "${PLAY_PACKAGES[@]}" libbenchmark-dev xvfb xauth

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBRINDLEWICK_TESTS=OFF -DBRINDLEWICK_FUZZ=OFF >/dev/null
cmake --build "$build" --parallel 2 --target brindlewick brindlewick_bench >/dev/null

run=()
if [ -z "${DISPLAY:-}" ]; then
    run=(xvfb-run -a -s "-screen 0 1280x1024x24")
fi
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
results="$build/bench.json"
# The benchmarks read the game's media from resources/ in the build folder.
cd "$build"
rm -f frames.*.txt
BRINDLEWICK_FRAME_TIMES=frames.0.txt "${run[@]}" ./bench/brindlewick_bench --benchmark_out="$results" \
    --benchmark_out_format=json "$@" >/dev/null
# The whole game again in processes of their own, for each frame's least time over the runs: what a first use costs
# comes back in every one of them, the machine's other work does not.
if [ -s frames.0.txt ]; then
    for again in 1 2 3 4; do
        BRINDLEWICK_FRAME_TIMES="frames.$again.txt" "${run[@]}" ./bench/brindlewick_bench \
            --benchmark_filter='^benchWholeGameFrames' >/dev/null
    done
fi

/usr/bin/python3 "$root/scripts/bench_table.py" "$results" frames.*.txt
