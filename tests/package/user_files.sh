#!/usr/bin/env bash
# The installed game keeps a player's files with the player. The .deb unpacked into a prefix of its own; a player who
# is not root, in a folder of their own, starts the launcher from there: --record writes ./g.rec, --replay checks it,
# --render writes ./g.mp4, the game is kept in the player's state folder, and the prefix is left as it was.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null; then
    echo "needs root and setpriv to play as another user; skipped"
    exit 0
fi
player_id=65534
prefix="$(mktemp -d)"
home="$(mktemp -d)"
trap 'rm -rf "$WORK" "$prefix" "$home"' EXIT
chmod 755 "$prefix"
dpkg-deb -x "$DEB" "$prefix" || { fail "dpkg-deb -x failed"; finish; }
chown "$player_id:$player_id" "$home"
# The X server lets in whoever holds its cookie: the player gets a copy of the test's.
player_env=(HOME="$home" XDG_STATE_HOME="$home/state" XDG_CONFIG_HOME="$home/config" ALSOFT_DRIVERS=null)
if [ -n "${XAUTHORITY:-}" ] && [ -f "$XAUTHORITY" ]; then
    install -o "$player_id" -m 600 "$XAUTHORITY" "$home/.Xauthority"
    player_env+=(XAUTHORITY="$home/.Xauthority")
fi
as_player() {
    (cd "$home" && setpriv --reuid="$player_id" --regid="$player_id" --clear-groups env "${player_env[@]}" "$@")
}
listing() {
    find "$prefix" -printf '%P %s %m %u\n' | sort
}
before="$(listing)"
launcher="$prefix/usr/games/brindlewick"

# A game recorded for two seconds after its window appears, then ended as a signal ends it.
(cd "$home" && exec setpriv --reuid="$player_id" --regid="$player_id" --clear-groups env "${player_env[@]}" \
    "$launcher" --record g.rec 2>"$WORK/record.err") &
game=$!
for _ in $(seq 1 100); do
    [ -n "$(timeout 5 xdotool search --onlyvisible --pid "$game" --name '^Brindlewick$' 2>/dev/null)" ] && break
    sleep 0.1
done
sleep 2
kill -TERM "$game" 2>/dev/null
wait "$game"
status=$?
if [ "$status" -eq 0 ] && [ "$(tail -n 1 "$home/g.rec" 2>/dev/null)" = "end stopped" ] &&
    [ "$(stat -c %u "$home/g.rec")" = "$player_id" ]; then
    pass "--record g.rec wrote the player's ./g.rec ($(stat -c %s "$home/g.rec") bytes)"
else
    fail "--record g.rec: status $status: $(tr '\n' '|' <"$WORK/record.err"); $(ls -la "$home")"
fi
out="$(as_player "$launcher" --replay g.rec --check 2>&1)"
status=$?
[ "$status" -eq 0 ] && pass "--replay g.rec --check" || fail "--replay g.rec --check: status $status: $out"
out="$(as_player "$launcher" --render g.rec --output g.mp4 2>&1)"
status=$?
[ "$status" -eq 0 ] && [ -s "$home/g.mp4" ] && pass "--render g.rec --output g.mp4 wrote ./g.mp4" ||
    fail "--render: status $status: $out"

kept="$(ls "$home/state/brindlewick/games" 2>&1)"
[ "$(grep -c '\.rec$' <<<"$kept")" -eq 1 ] && pass "the game is kept: $kept" || fail "kept games: $kept"
echo "the player's folder:"
(cd "$home" && find . -path ./.Xauthority -prune -o -type f -printf '  %p %s bytes\n' | sort)
after="$(listing)"
[ "$before" = "$after" ] && pass "the prefix holds exactly what it held ($(grep -c '' <<<"$after") entries)" ||
    fail "the prefix changed: $(diff <(echo "$before") <(echo "$after") | tr '\n' '|')"
finish
