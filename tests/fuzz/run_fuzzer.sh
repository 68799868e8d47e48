#!/usr/bin/env bash
# Builds a libFuzzer target with clang++ and runs it for a bounded time on a copy of its seed corpus.
# Usage: run_fuzzer.sh <clang++ or empty> <source dir> <build dir> <name> <seconds> [extra libFuzzer flags...]
# Exits 77 (skipped) when clang++ is missing.
set -euo pipefail

compiler="$1"
source_dir="$2"
build_dir="$3"
name="$4"
seconds="$5"
shift 5

if [ -z "$compiler" ] || ! command -v "$compiler" >/dev/null 2>&1; then
    echo "clang++ not found: skipping the $name fuzz run (install clang and libclang-rt-14-dev)"
    exit 77
fi

work="$build_dir/fuzz/$name"
mkdir -p "$work"

# The reader and what it needs, compiled with the sanitizers; SFML's system library is linked as installed.
case "$name" in
    animation_file)
        sources=("$source_dir/tests/fuzz/AnimationFileFuzz.cpp" "$source_dir/sprites/Animation.cpp"
            "$source_dir/kit/TimeSource.cpp")
        ;;
    replay_file)
        sources=("$source_dir/tests/fuzz/ReplayFileFuzz.cpp" "$source_dir/replay/Recording.cpp"
            "$source_dir/replay/EventText.cpp" "$source_dir/replay/InputScript.cpp" "$source_dir/replay/Channels.cpp"
            "$source_dir/replay/StateDigest.cpp" "$source_dir/input/Controls.cpp" "$source_dir/input/KeyNames.cpp")
        ;;
    *)
        echo "no fuzz target named $name" >&2
        exit 2
        ;;
esac
"$compiler" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$source_dir" "${sources[@]}" -lsfml-system -o "$work/$name"

# libFuzzer adds what it finds to the corpus folder; it works on a copy so the seeds in the tree stay as they are.
rm -rf "$work/corpus"
cp -r "$source_dir/tests/fuzz/corpus/$name" "$work/corpus"
dictionary=()
if [ -f "$source_dir/tests/fuzz/$name.dict" ]; then
    dictionary=(-dict="$source_dir/tests/fuzz/$name.dict")
fi
cd "$work"
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}" \
    "./$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$work/" "${dictionary[@]}" "$@" corpus
