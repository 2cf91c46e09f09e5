#!/usr/bin/env bash
# Start-up time from exec to the first frame on screen, for the game and for
# a blank GLUT window as its baseline, under a virtual X server.
# Usage: measure.sh BUILD_DIR [RUNS]
set -u
build=$(cd "$1" && pwd) runs=${2:-10}
out=$(mktemp -d)
source "$(dirname "$0")/../../tests/e2e/lib.sh"
start_virtual_display
shim=$build/bench/libfirst_swap.so

# Median of the first-frame times of RUNS launches of PROGRAM in FOLDER.
measure() {
    local program=$1 folder=$2 times=()
    for _ in $(seq 1 "$runs"); do
        (cd "$folder" && LAUNCH_NS=$(date +%s%N) LD_PRELOAD=$shim exec "$program" 2>"$out/err") &
        local pid=$! t=""
        for _ in $(seq 1 200); do
            t=$(grep -o 'first frame after [0-9.]*' "$out/err" 2>/dev/null | awk '{print $4}')
            [ -n "$t" ] && break
            sleep 0.05
        done
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        [ -n "$t" ] && times+=("$t")
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print (NR ? a[int((NR+1)/2)] : "none")}'
}

echo "game:  median $(measure "$build/dorian" "$build/data") ms from exec to the first frame"
echo "blank: median $(measure "$build/bench/blank_window" /tmp) ms (a GLUT window with one cleared frame)"
