#!/usr/bin/env bash
# A machine where no audio device opens: the game says once that it plays without sound, then plays the whole game
# on its music's clock and ends with it, status 0. OpenAL Soft is given a configuration naming only a driver that
# does not exist, so the check means the same on a machine with a sound card.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

conf="$WORK/no_device.conf"
printf '[general]\ndrivers=nonexistent\n' >"$conf"
music_ms="$(soxi -D "$BUILD/resources/sounds/music_base.wav" | awk '{ printf "%d", $1 * 1000 }')"

start_game "$BUILD" -u ALSOFT_DRIVERS ALSOFT_CONF="$conf"
wait_for_window 10
wait_for_end $((music_ms / 1000 + 10))
took=$((GAME_ENDED_MS - WINDOW_SHOWN_MS))
if [ -n "$WINDOW" ] && [ "$GAME_STATUS" -eq 0 ] && [ "$took" -ge $((music_ms - 500)) ] &&
    [ "$took" -le $((music_ms + 1000)) ]; then
    pass "silent play: a whole game of ${took} ms (music ${music_ms} ms), status 0"
else
    fail "silent play: window '${WINDOW}', status $GAME_STATUS after ${took} ms: $(game_stderr)"
fi
notices="$(unexpected_output)"
if [ "$notices" = "brindlewick: No audio output device could be opened, so the game plays without sound|" ]; then
    pass "silent play: one line says the game plays without sound"
else
    fail "silent play: expected the one notice, got: $notices"
fi

# Drivers the player named are kept; when even they open nothing, the game refuses as before.
expect_refusal "named drivers that open nothing" 'No audio output device could be opened.*ALSOFT_DRIVERS=null' \
    "$BUILD" ALSOFT_DRIVERS=nonexistent
finish
