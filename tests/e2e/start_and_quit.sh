#!/usr/bin/env bash
# The real game starts in its data folder, shows a picture and quits on Escape.
# Usage: start_and_quit.sh GAME DATA [OUT]
set -u
game=$1 data=$2 out=${3:-$(mktemp -d)}
mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
start_virtual_display

launch_game
quit_with_escape
check_stdout
echo "e2e: started, showed a picture, quit with 0 on Escape"
