#!/usr/bin/env bash
# The .deb holds the install layout, nothing from the build folder, and the control fields a Debian game has.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
list="$(dpkg-deb -c "$DEB" | awk '{print $6}' | sed 's|^\./|/|')"
id=org.brindlewick.Brindlewick
expected=(/usr/games/brindlewick /usr/lib/games/brindlewick/brindlewick
          /usr/share/games/brindlewick/resources/FreePixel.ttf
          /usr/share/games/brindlewick/resources/images/player.PNG
          /usr/share/games/brindlewick/resources/sounds/music_base.wav
          /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml
          /usr/share/man/man6/brindlewick.6.gz /usr/share/doc/brindlewick/copyright
          /usr/share/doc/brindlewick/README.md /usr/share/doc/brindlewick/changelog.gz
          /usr/share/doc/brindlewick/settings.example.toml)
for size in 16 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for path in "${expected[@]}"; do
    grep -qx -- "$path" <<<"$list" && pass "holds $path" || fail "lacks $path"
done
stray="$(grep -E 'CMake|cmake|\.a$|_tests|tests/|contact_sheet|/icons/brindlewick_' <<<"$list")"
[ -z "$stray" ] && pass "nothing from the build folder" || fail "build files: $stray"
control="$(dpkg-deb -f "$DEB")"
for field in "Section: games" "Priority: optional" "Maintainer: The Brindlewick developers <"; do
    grep -q "^$field" <<<"$control" && pass "$field" || fail "no \"$field\" in: $control"
done
grep -q '^Depends:.*libsfml' <<<"$control" && pass "Depends from the binary's libraries" || fail "Depends: $control"
grep -q '^Installed-Size: [0-9]' <<<"$control" && pass "Installed-Size" || fail "no Installed-Size"
dpkg-deb -x "$DEB" "$WORK/root"
file -b "$WORK/root/usr/lib/games/brindlewick/brindlewick" | grep -q ', stripped' && pass "stripped" ||
    fail "the binary is not stripped"
finish
