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

# The render as it was before it was sped up (the last commit before), built once in Release beside the benchmarks:
# the render's figure is measured against it in the same run. Without the commit (not a git checkout) that row is
# left out.
render_reference_commit="${BRINDLEWICK_RENDER_REFERENCE_COMMIT:-c7f4c21f2449b45ab3cbb38d19b4799d34e16976}"
reference="$build/render-reference"
if git -C "$root" cat-file -e "$render_reference_commit^{commit}" 2>/dev/null; then
    if [ ! -f "$reference/src/CMakeLists.txt" ]; then
        mkdir -p "$reference/src"
        git -C "$root" archive "$render_reference_commit" | tar -x -C "$reference/src"
    fi
    cmake -S "$reference/src" -B "$reference/build" -DCMAKE_BUILD_TYPE=Release -DBRINDLEWICK_TESTS=OFF \
        -DBRINDLEWICK_FUZZ=OFF -DBRINDLEWICK_BENCH=ON >/dev/null
    cmake --build "$reference/build" --parallel 2 --target brindlewick brindlewick_bench >/dev/null
    export BRINDLEWICK_RENDER_REFERENCE="$reference/build"
fi

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

# The render within one process and the game's set-up, this build's and the reference's own benchmarks of them in
# turns, so that the machine's drifting speed falls on both alike.
rm -f render.*.json
if [ -n "${BRINDLEWICK_RENDER_REFERENCE:-}" ]; then
    for turn in 1 2 3; do
        "${run[@]}" ./bench/brindlewick_bench --benchmark_filter='^(benchRenderScriptedGame|benchSetUp)/' \
            --benchmark_out="render.ours.$turn.json" --benchmark_out_format=json >/dev/null
        (cd "$BRINDLEWICK_RENDER_REFERENCE" && "${run[@]}" ./bench/brindlewick_bench \
            --benchmark_filter='^(benchRenderScriptedGame|benchSetUp)/' --benchmark_out="$build/render.reference.$turn.json" \
            --benchmark_out_format=json >/dev/null)
    done
fi

/usr/bin/python3 "$root/scripts/bench_table.py" "$results" frames.*.txt
