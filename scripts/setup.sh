#!/usr/bin/env bash
# Installs the Debian packages the game needs (for "play") or its tests need too (for "test"), then builds.
# Usage: scripts/setup.sh play|test
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mode="${1:-play}"

packages=(cmake make g++ pkg-config libsfml-dev libx11-dev libopenal-dev python3 python3-fonttools
          libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev)
if [ "$mode" = test ]; then
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-utils sox imagemagick
               python3-numpy python3-pil ffmpeg clang libclang-rt-14-dev clang-tidy cppcheck
               dpkg-dev fakeroot file lintian desktop-file-utils appstream groff man-db)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir="${BRINDLEWICK_BUILD_DIR:-$root/build}"
cmake_flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "$mode" = play ]; then
    cmake_flags+=(-DBRINDLEWICK_TESTS=OFF -DBRINDLEWICK_BENCH=OFF -DBRINDLEWICK_FUZZ=OFF)
else
    cmake_flags+=(-DBRINDLEWICK_TESTS=ON)
fi
cmake -S "$root" -B "$build_dir" "${cmake_flags[@]}" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
