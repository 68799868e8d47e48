#!/usr/bin/env bash
# The world on the beat, seen in the window: the player starts at a start point, a direction key tints it and
# makes it crouch until the next half second and then dashes it about 73 px, and Shift held opens the white love
# circle around it on the next half second. The picture fills the window in sharp 3x3 blocks.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
watch_game world
finish
