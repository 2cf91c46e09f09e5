#!/usr/bin/env bash
# Data files that are not what they seem: a picture whose header claims
# 16384x16384 pixels in 54 bytes, a FIFO as the first level, a directory as a
# song and an endless device as an effect. The game refuses each with its
# usual diagnostic, starts without hanging, stays small and quits on Escape.
# Usage: hostile_files.sh GAME DATA [OUT]
set -u
game=$1 data=$2 out=${3:-$(mktemp -d)}
mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
start_virtual_display
limit_kb=$((200 * 1024))

use_data_copy background5.bmp level1.dat music/survival.it zap.wav
# "BM", sizes and offset, a 40-byte info header: 16384 by 16384, 24 bits.
printf 'BM6\0\0\0\0\0\0\0006\0\0\0(\0\0\0\0@\0\0\0@\0\0\1\0\030\0%024s' '' |
    tr ' ' '\0' >"$data/background5.bmp"
mkfifo "$data/level1.dat"
mkdir "$data/music/survival.it"
ln -s /dev/zero "$data/zap.wav"

launch_game
peak_kb=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")
[ "$peak_kb" -lt "$limit_kb" ] || fail "the game grew to ${peak_kb} kB resident"
quit_with_escape
check_stdout
grep -qx "not a 24 bit/pixelimage, or is compressed!" "$out/stdout.txt" ||
    fail "the lying picture was not refused"
for file in level1.dat music/survival.it zap.wav; do
    grep -q "$file" "$out/stderr.txt" || fail "nothing said about $file"
done
echo "e2e: refused the hostile files, peak ${peak_kb} kB resident, quit with 0 on Escape"
