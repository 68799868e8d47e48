#!/usr/bin/env bash
# Install and play, twice: the .deb unpacked into a scratch root, and cmake --install with DESTDIR. Each time the
# launcher, started from /, plays the whole game with OpenAL Soft's silent output.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
dpkg-deb -x "$DEB" "$WORK/unpacked" && play_installed "unpacked .deb" "$WORK/unpacked" || fail "dpkg-deb -x failed"
DESTDIR="$WORK/staged" cmake --install "$BUILD" --prefix /usr >/dev/null &&
    play_installed "cmake --install" "$WORK/staged" || fail "cmake --install failed"
finish
