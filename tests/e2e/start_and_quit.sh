#!/usr/bin/env bash
# The real game starts in its data folder, shows a picture and quits on Escape.
# Usage: start_and_quit.sh GAME DATA [OUT]
source "$(dirname "$0")/lib.sh"
begin_scenario "$@"

launch_game
quit_with_escape
echo "e2e: started, showed a picture, quit with 0 on Escape"
