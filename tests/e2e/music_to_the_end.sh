#!/usr/bin/env bash
# The game plays its 14 s of music and ends with it: status 0, a recording of the whole music that is not silent,
# and a process that does not outlive its music.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
watch_game music
finish
