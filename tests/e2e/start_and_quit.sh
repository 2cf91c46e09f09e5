#!/usr/bin/env bash
# The real game starts in its data folder, shows a frame and quits on Escape.
# Usage: start_and_quit.sh GAME DATA [OUT]
set -u
game=$1 data=$2 out=${3:-$(mktemp -d)}
mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
start_virtual_display

launch_game
# A busy machine may take a while over the first frame: wait for a picture.
screenshot start
for _ in $(seq 1 100); do
    [ "$(brightest start)" -gt 0 ] && break
    sleep 0.3
    screenshot start
done
if [ -f "$data/background5.bmp" ] && [ "$(brightest start)" -eq 0 ]; then
    fail "no picture within 30 seconds: every frame is all black"
fi
quit_with_escape
check_stdout
echo "e2e: started, showed a window, quit with 0 on Escape"
