#!/usr/bin/env bash
# Builds the .deb the other package checks read, the way a maintainer does.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
BRINDLEWICK_BUILD_DIR="$BUILD" "$SRC/scripts/package.sh" || fail "scripts/package.sh failed"
[ -f "$DEB" ] && pass "$DEB made" || fail "no $DEB"
finish
