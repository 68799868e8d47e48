#!/usr/bin/env bash
# The desktop entry, the metainfo, the man page and the package itself pass their validators without a warning.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
out="$(desktop-file-validate "$SRC/dist/org.brindlewick.Brindlewick.desktop" 2>&1)"
[ -z "$out" ] && pass "desktop-file-validate" || fail "desktop-file-validate: $out"
out="$(appstreamcli validate --no-net "$SRC/dist/org.brindlewick.Brindlewick.metainfo.xml" 2>&1)"
if [ $? -eq 0 ] && ! grep -qE '^[EW]:' <<<"$out"; then pass "appstreamcli validate"; else fail "appstreamcli: $out"; fi
out="$(groff -man -ww -z "$SRC/dist/brindlewick.6" 2>&1)"
[ -z "$out" ] && pass "groff -man -ww" || fail "groff: $out"
out="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$SRC/dist/brindlewick.6" 2>&1 >/dev/null)"
[ -z "$out" ] && pass "man --warnings" || fail "man: $out"
out="$(lintian --fail-on error,warning "$DEB" 2>&1)"
if [ $? -eq 0 ] && ! grep -qE '^[EW]:' <<<"$out"; then pass "lintian"; else fail "lintian: $out"; fi
finish
