#!/usr/bin/env bash
# Plays the real game with keyboard and mouse: Enter, run right, jump, shoot
# both ways, and checks that the world moved and Escape still exits cleanly.
# Usage: play.sh GAME DATA [OUT]
source "$(dirname "$0")/lib.sh"
begin_scenario "$@"

# A copy of the data folder whose first level is a long floor with walkers.
use_data_copy level1.dat
write_first_level 'if (row == 4 && (col == 25 || col == 40)) code = -5'

launch_game
mv "$out/start.png" "$out/menu.png"
xdotool key Return
wait_for_change menu play
# Running right scrolls the level's tiles across much of the screen; jumping
# and both shots ride along.
xdotool keydown Right
wait_for_change play moved 20000
xdotool key Up key space
xdotool mousemove --window "$window" 900 300 click 1
xdotool keyup Right
quit_with_escape
echo "e2e: played, the world moved, quit with 0 on Escape"
