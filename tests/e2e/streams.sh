#!/usr/bin/env bash
# The game runs with its standard streams closed, and with standard output a
# pipe whose reader has gone: it shows its picture and quits on Escape with 0.
# A missing picture makes it write a diagnostic in both cases.
# Usage: streams.sh GAME DATA [OUT]
set -u
game=$1 data=$2 out=${3:-$(mktemp -d)}
mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
start_virtual_display
use_data_copy tiger.bmp

launch_game '<&-' '>&-' '2>&-'
quit_with_escape

# A pipe without a reader: open both ends through a FIFO, then close the
# reading one.
fifo=$out/pipe
rm -f "$fifo" && mkfifo "$fifo"
exec {reader}<>"$fifo" {writer}>"$fifo"
exec {reader}<&-
launch_game ">&$writer" "2>\"\$out/stderr.txt\""
exec {writer}>&-
quit_with_escape
echo "e2e: with closed standard streams and a broken pipe, started and quit with 0"
