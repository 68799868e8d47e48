#!/usr/bin/env bash
# Builds the Debian package: installs the packaging tools, builds the game in Release in build-release/ (without
# tests, benchmarks or fuzzing) with Debian's hardening flags, and writes build/brindlewick_1.0.0_amd64.deb.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

source "$root/scripts/packages.bash"
install_packages "${PLAY_PACKAGES[@]}" "${PACKAGING_PACKAGES[@]}"

release_dir="${BRINDLEWICK_RELEASE_DIR:-$root/build-release}"
out_dir="${BRINDLEWICK_BUILD_DIR:-$root/build}"
mkdir -p "$out_dir"
cmake -S "$root" -B "$release_dir" -DCMAKE_BUILD_TYPE=Release -DBRINDLEWICK_TESTS=OFF -DBRINDLEWICK_BENCH=OFF \
      -DBRINDLEWICK_FUZZ=OFF "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
      "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" "-DCPACK_PACKAGE_DIRECTORY=$out_dir" >/dev/null
cmake --build "$release_dir" --parallel "$(nproc)"
(cd "$release_dir" && fakeroot cpack -G DEB -B "$out_dir")
rm -rf "$out_dir/_CPack_Packages"
echo "$out_dir/brindlewick_$(sed -n 's/^project(Brindlewick VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")_amd64.deb"
