#!/usr/bin/env bash
# The audio offset, measured and used: on the calibration screen a key is pressed 120 ms after each heard beat, with
# OpenAL Soft's wave writer; Enter saves 120 ms (within a frame) for that output device into a new settings file, and
# a game played by that file dashes 120 ms later than one without it. The calibration screen is kept as a picture
# with GAMEWATCH_KEEP=folder.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
cc -shared -fPIC -O2 -o "$WORK/beat_trace.so" "$(dirname "${BASH_SOURCE[0]}")/beat_trace.c" -ldl ||
    { fail "could not build the sound-start tracer"; finish; }
BEAT_TRACE_LIBRARY="$WORK/beat_trace.so" watch_game calibrate settings_watch.py
finish
