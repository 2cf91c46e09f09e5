#!/usr/bin/env bash
# SIGINT and SIGTERM end the game promptly, as a quit would, with the
# conventional exit codes 130 and 143.
# Usage: signals.sh GAME DATA [OUT]
set -u
game=$1 data=$2 out=${3:-$(mktemp -d)}
mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
start_virtual_display

for signal in INT TERM; do
    launch_game
    kill -s "$signal" "$pid"
    for _ in $(seq 1 30); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "SIG$signal did not end the game"
    wait "$pid"
    code=$?
    expected=$((128 + $(kill -l "$signal")))
    [ "$code" -eq "$expected" ] || fail "exit code $code after SIG$signal, expected $expected"
    pid=""
done
check_stdout
echo "e2e: SIGINT and SIGTERM end the game cleanly"
