#!/usr/bin/env bash
# Without a display the game says so in one line on stderr and exits non-zero.
# Usage: no_display.sh GAME DATA [OUT]
set -u
game=$1 data=$2 out=${3:-$(mktemp -d)}
mkdir -p "$out"
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
scratch_home=$(cd "$out" && pwd)
export XDG_CONFIG_HOME="$scratch_home/config" XDG_DATA_HOME="$scratch_home/data"
(cd "$data" && env -u DISPLAY timeout 20 "$game" >"$out/stdout.txt" 2>"$out/stderr.txt")
code=$?
[ "$code" -ne 0 ] || { echo "e2e: exit code 0 without a display" >&2; exit 1; }
[ "$code" -ne 124 ] || { echo "e2e: the game hung without a display" >&2; exit 1; }
lines=$(wc -l <"$out/stderr.txt")
[ "$lines" -eq 1 ] || { echo "e2e: expected one line on stderr, got $lines:" >&2; cat "$out/stderr.txt" >&2; exit 1; }
grep -q "display" "$out/stderr.txt" || { echo "e2e: the message does not name the display" >&2; exit 1; }
[ ! -s "$out/stdout.txt" ] || { echo "e2e: unexpected standard output" >&2; exit 1; }
echo "e2e: without a display: exit $code, '$(cat "$out/stderr.txt")'"
