#!/usr/bin/env bash
# On a screen larger than the game: --windowed opens a 1024x768 window, F11
# fills the screen and brings the window back; p holds the picture still while
# a walking key is held and p again lets play go on; a walking key released
# under Shift stops the hero.
# Usage: window.sh GAME DATA [OUT]
source "$(dirname "$0")/lib.sh"
E2E_SCREEN=1600x1200x24 begin_scenario "$@"

# A long floor with no creatures, spikes far to the right: a hero who walks on
# by himself dies there again and again, and the picture never settles.
use_data_copy level1.dat
write_first_level 'if (row == 4 && col >= 90 && col < 99) code = 126'

# sized W H: the game's visible window is W by H pixels; sets X and Y, its place.
sized() {
    local geometry
    window_shown && geometry=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null) || return 1
    eval "$geometry"
    [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ]
}
# hud NAME: the window's top strip (lives, score, shots) of NAME.png, in NAME.hud.png.
hud() { convert "$out/$1.png" -crop "1024x50+$X+$Y" +repage "$out/$1.hud.png"; }

# Without the background the lives on the top strip stand on black, where a
# life lost shows.
mkdir -p "$XDG_CONFIG_HOME/dorian-hazardous"
printf '[picture]\nbackground = off\n' >"$XDG_CONFIG_HOME/dorian-hazardous/settings.ini"
game_options=(--windowed)
launch_game
wait_until "a 1024x768 window" sized 1024 768
xdotool key F11
wait_until "the window to fill the screen" sized 1600 1200
xdotool key F11
wait_until "the window to come back" sized 1024 768
focus_window

mv "$out/start.png" "$out/menu.png"
xdotool key Return
wait_for_change menu play
xdotool keydown Right
wait_for_change play walking
xdotool key p
wait_until_still paused
end=$((SECONDS + 2))  # at least a whole second
while [ "$SECONDS" -lt "$end" ]; do
    differs paused paused.later 0 && fail "the paused picture changed"
done
xdotool key p
wait_for_change paused resumed
xdotool keyup Right

xdotool keydown d
wait_for_change resumed walking.again
xdotool keydown shift keyup d keyup shift
wait_until_still stopped
hud walking.again && hud stopped
[ "$(pixels_changed walking.again.hud stopped.hud)" -eq 0 ] || fail "the hero walked on and lost a life"
quit_with_escape
echo "e2e: a 1024x768 window, full screen and back with F11, p held the picture, Shift let go of d"
