#!/usr/bin/env bash
# The real game under a virtual X server (OpenGL in software): CPU per frame
# of the whole process, frames per second and the share of frame intervals
# over 15 ms, on the menu, on level 1 and on level 12 while the hero runs to
# and fro, jumps and shoots. Beside it in the same run: optionally another
# build's game, and a loop that only clears and swaps, paced like the game.
# Medians of RUNS runs, taken in turns.
# Usage: frames.sh BUILD_DIR [BASELINE_BUILD_DIR] [RUNS] [SECONDS]
set -u
build=$(cd "$1" && pwd)
baseline=${2:+$(cd "$2" && pwd)}
runs=${3:-5} seconds=${4:-10}
out=$(mktemp -d)
source "$(dirname "$0")/lib.sh"
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$out" "$scratch"' EXIT
results=$out/results

now() { date +%s%N; }

# Runs right and left, jumping and shooting, for SECONDS.
steer() {
    local end=$(($(now) + $1 * 1000000000)) key
    while [ "$(now)" -lt "$end" ]; do
        for key in Right Left; do
            xdotool keydown "$key" key Up key space
            sleep 1.5
            xdotool keyup "$key"
        done
    done
}

# Starts PROGRAM in the data folder with every swap noted in LOG; sets pid.
start() {
    local program=$1 log=$2 window=""
    (cd "$data" && SWAP_LOG=$log LD_PRELOAD=$shim exec "$program" >/dev/null 2>"$log.err") &
    pid=$!
    for _ in $(seq 1 200); do
        window=$(xdotool search --onlyvisible --name "." 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] && xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 2  # past the first frames, the shader compiles and the title
}

# Ends the program with KEY and waits, so that its log is complete.
finish() {
    xdotool key "$1"
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

# Appends "NAME PHASE cpu_ms_per_frame cores fps percent_over_15ms" for the
# swaps in LOG between FROM and TO.
measure() {
    [ -s "$3" ] || { echo "no frames noted for $1 $2:" >&2; cat "$3.err" >&2; return; }
    awk -v name="$1" -v phase="$2" -v from="$4" -v to="$5" '
        $1 >= from && $1 <= to {
            if (n++) { if ($1 - lastWall > 15e6) over++ } else { wall0 = $1; cpu0 = $2 }
            lastWall = $1; lastCpu = $2
        }
        END {
            frames = n - 1; wall = (lastWall - wall0) / 1e9; cpu = (lastCpu - cpu0) / 1e9
            if (frames > 0) printf "%s %s %.2f %.3f %.1f %.1f\n", name, phase, 1000 * cpu / frames, cpu / wall, frames / wall, 100 * over / frames
        }' "$3" >>"$results"
}

# The menu, then level 1 after Enter.
menu_and_level1() {
    local name=$1 log=$out/$1.menu.log t0 t1 t2 t3
    start "$2" "$log"
    t0=$(now); sleep "$seconds"; t1=$(now)
    xdotool key Return
    steer 1
    t2=$(now); steer "$seconds"; t3=$(now)
    finish Escape
    measure "$name" menu "$log" "$t0" "$t1"
    measure "$name" level1 "$log" "$t2" "$t3"
}

# Up wraps the menu to era 4, which starts on level 12 in this data folder.
level12() {
    local name=$1 log=$out/$1.level12.log t0 t1
    start "$2" "$log"
    xdotool key Up key Return
    steer 1
    t0=$(now); steer "$seconds"; t1=$(now)
    finish Escape
    measure "$name" level12 "$log" "$t0" "$t1"
}

paced_loop() {
    local log=$out/paced.log t0 t1
    start "$build/bench/paced_swap" "$log"
    t0=$(now); sleep "$seconds"; t1=$(now)
    finish q
    measure paced clear+swap "$log" "$t0" "$t1"
}

for run in $(seq 1 "$runs"); do
    echo "run $run of $runs" >&2
    menu_and_level1 game "$build/dorian"
    [ -n "$baseline" ] && menu_and_level1 baseline "$baseline/dorian"
    level12 game "$build/dorian"
    [ -n "$baseline" ] && level12 baseline "$baseline/dorian"
    paced_loop
done

printf '%-9s %-11s %14s %7s %6s %12s\n' program phase "CPU ms/frame" cores fps "% over 15ms"
awk '{print $1, $2}' "$results" | sort -u | while read -r name phase; do
    pick() { awk -v n="$name" -v p="$phase" -v c="$1" '$1 == n && $2 == p {print $c}' "$results" | median; }
    printf '%-9s %-11s %14s %7s %6s %12s\n' "$name" "$phase" "$(pick 3)" "$(pick 4)" "$(pick 5)" "$(pick 6)"
done
echo "medians of $runs runs of $seconds s each"
