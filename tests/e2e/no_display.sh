#!/usr/bin/env bash
# Without a display the game says so in one line on stderr and exits non-zero.
# Usage: no_display.sh GAME DATA [OUT]
source "$(dirname "$0")/lib.sh"
scenario_folders "$@"
(cd "$data" && env -u DISPLAY timeout 20 "$game" >"$out/stdout.txt" 2>"$out/stderr.txt")
code=$?
[ "$code" -ne 0 ] || fail "exit code 0 without a display"
[ "$code" -ne 124 ] || fail "the game hung without a display"
[ "$(wc -l <"$out/stderr.txt")" -eq 1 ] || fail "expected one line on stderr"
grep -q "display" "$out/stderr.txt" || fail "the message does not name the display"
[ ! -s "$out/stdout.txt" ] || fail "unexpected standard output"
echo "e2e: without a display: exit $code, '$(cat "$out/stderr.txt")'"
