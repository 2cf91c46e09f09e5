#!/usr/bin/env bash
# Plays the real game with keyboard and mouse: Enter, run right, jump, shoot
# both ways, and checks that the world moved and Escape still exits cleanly.
# Usage: play.sh GAME DATA [OUT]
set -u
game=$1 source_data=$2 out=${3:-$(mktemp -d)}
mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
start_virtual_display

# A copy of the data folder whose first level is a long floor with walkers.
data=$(mktemp -d)
trap 'rm -rf "$data"; kill "$xvfb_pid" 2>/dev/null' EXIT
cp -r "$source_data"/. "$data"/
awk 'BEGIN {
    for (row = 0; row < 100; row++) {
        line = ""
        for (col = 0; col < 100; col++) {
            code = -1
            if (row <= 3 || col == 0 || col == 99 || row == 99) code = 1
            if (row == 5 && col == 3) code = 95
            if (row == 4 && (col == 25 || col == 40)) code = -5
            line = line code " "
        }
        print line
    }
}' >"$data/level1.dat"

launch_game
screenshot menu
xdotool key Return
sleep 0.5
screenshot play
xdotool keydown Right
sleep 1.5
xdotool key Up
sleep 0.3
xdotool key space
xdotool mousemove --window "$window" 900 300 click 1
sleep 0.3
screenshot moved
xdotool keyup Right

changed=$(pixels_changed play moved)
[ "${changed:-0}" -gt 1000 ] || fail "the picture barely changed while running right ($changed pixels)"
changed=$(pixels_changed menu play)
[ "${changed:-0}" -gt 1000 ] || fail "Enter did not leave the menu ($changed pixels changed)"
quit_with_escape
check_stdout
echo "e2e: played, the world moved, quit with 0 on Escape"
