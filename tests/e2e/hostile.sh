#!/usr/bin/env bash
# Data files that are not what they seem (a 54-byte picture claiming
# 16384x16384 pixels, a FIFO as a level, a directory as a song, an endless
# device as an effect), then closed standard streams, then a broken pipe: the
# game refuses the files, stays small, shows its picture and quits with 0.
# Usage: hostile.sh GAME DATA [OUT]
source "$(dirname "$0")/lib.sh"
begin_scenario "$@"
use_data_copy background5.bmp level1.dat music/survival.it zap.wav
# "BM", sizes and offset, a 40-byte info header: 16384 by 16384, 24 bits.
printf 'BM6\0\0\0\0\0\0\0006\0\0\0(\0\0\0\0@\0\0\0@\0\0\1\0\030\0%024s' '' |
    tr ' ' '\0' >"$data/background5.bmp"
mkfifo "$data/level1.dat" && mkdir "$data/music/survival.it" && ln -s /dev/zero "$data/zap.wav"
limit_mb=200
ldd "$game" | grep -q libasan && limit_mb=600  # the sanitizer's shadow memory

launch_game
peak_kb=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")
[ "$peak_kb" -lt $((limit_mb * 1024)) ] || fail "the game grew to $peak_kb kB resident"
quit_with_escape
grep -qx "not a 24 bit/pixelimage, or is compressed!" "$out/stdout.txt" || fail "the lie was believed"
[ "$(grep -c -e level1.dat -e survival.it -e zap.wav "$out/stderr.txt")" -ge 3 ] ||
    fail "the refused files were not all named on stderr"

launch_game '<&-' '>&-' '2>&-'
quit_with_escape
# A pipe without a reader: both ends opened through a FIFO, then the reader closed.
fifo=$(mktemp -u) && mkfifo "$fifo"
exec {reader}<>"$fifo" {writer}>"$fifo" {reader}<&-
launch_game ">&$writer" '2>"$out/stderr.txt"'
exec {writer}>&- && rm "$fifo"
quit_with_escape
echo "e2e: refused the hostile files (peak $peak_kb kB resident), survived closed streams and a broken pipe"
