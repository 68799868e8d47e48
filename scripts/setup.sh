#!/usr/bin/env bash
# Installs the Debian packages the game needs (for "play") or its tests need too (for "test"), then builds.
# Usage: scripts/setup.sh play|test
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mode="${1:-play}"

source "$root/scripts/packages.bash"
packages=("${PLAY_PACKAGES[@]}")
if [ "$mode" = test ]; then
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-utils sox imagemagick
               python3-numpy python3-pil ffmpeg clang libclang-rt-14-dev clang-tidy cppcheck "${PACKAGING_PACKAGES[@]}")
fi
install_packages "${packages[@]}"

build_dir="${BRINDLEWICK_BUILD_DIR:-$root/build}"
cmake_flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "$mode" = play ]; then
    cmake_flags+=(-DBRINDLEWICK_TESTS=OFF -DBRINDLEWICK_BENCH=OFF -DBRINDLEWICK_FUZZ=OFF)
else
    cmake_flags+=(-DBRINDLEWICK_TESTS=ON)
fi
cmake -S "$root" -B "$build_dir" "${cmake_flags[@]}" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
