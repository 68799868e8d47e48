#!/usr/bin/env bash
# Escape held ends the game on the next whole or half second of its music, not when the key goes down.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
watch_game escape
finish
