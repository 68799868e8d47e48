#!/usr/bin/env bash
# How close to the heard beat the game acts: a direction key is tapped before each of more than twenty half seconds
# of one game, and the frame that dashes (timed by the sound it starts) is set against the moment that half second
# of the base stem was written to the output plus the output latency. Prints the delays and their spread.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
cc -shared -fPIC -O2 -o "$WORK/beat_trace.so" "$(dirname "${BASH_SOURCE[0]}")/beat_trace.c" -ldl ||
    { fail "could not build the sound-start tracer"; finish; }
BEAT_TRACE_LIBRARY="$WORK/beat_trace.so" watch_game beats
finish
