#!/usr/bin/env bash
# Start-up from exec to the first frame and to the first frame that is not
# all black, in wall time and in CPU time of the whole process, under a
# virtual X server: this build's game, optionally another build's game beside
# it, and a blank GLUT window as the floor. Medians of RUNS launches each,
# taken in turns so that a busy machine slows them all alike.
# Usage: startup.sh BUILD_DIR [BASELINE_BUILD_DIR] [RUNS]
set -u
build=$(cd "$1" && pwd)
baseline=${2:+$(cd "$2" && pwd)}
runs=${3:-9}
out=$(mktemp -d)
source "$(dirname "$0")/lib.sh"
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$out" "$scratch"' EXIT

# One launch of PROGRAM in FOLDER; appends "wall cpu" of the first frame and,
# unless the program only ever shows black, of the first non-black one to
# NAME.times.
launch() {
    local name=$1 program=$2 folder=$3 shows=${4:-lit} err=$out/err first lit=""
    : >"$err"
    (cd "$folder" && LAUNCH_NS=$(date +%s%N) LD_PRELOAD=$shim exec "$program" 2>"$err" >/dev/null) &
    local pid=$!
    first=$(wait_for_line "$err" "^first frame after") || first=""
    [ "$shows" = lit ] && { lit=$(wait_for_line "$err" "^first non-black frame after") || lit=""; }
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    # "first frame after W ms, C ms of CPU", "first non-black frame after W ms, C ms of CPU"
    local f=(${first:-x x x none x none}) l=(${lit:-x x x x none x none})
    echo "${f[3]} ${f[5]} ${l[4]} ${l[6]}" >>"$out/$name.times"
}

names=(game)
[ -n "$baseline" ] && names+=(baseline)
for _ in $(seq 1 "$runs"); do
    launch game "$build/dorian" "$data"
    [ -n "$baseline" ] && launch baseline "$baseline/dorian" "$data"
    launch blank "$build/bench/blank_window" "$out" black
done

column() { awk -v c="$2" '{print $c}' "$out/$1.times" | grep -v none | median; }
for name in "${names[@]}"; do
    printf '%-8s first frame %s ms (CPU %s ms); first non-black frame %s ms (CPU %s ms)\n' "$name:" \
        "$(column "$name" 1)" "$(column "$name" 2)" "$(column "$name" 3)" "$(column "$name" 4)"
done
printf 'blank:   first frame %s ms (CPU %s ms): a GLUT window showing one cleared frame\n' \
    "$(column blank 1)" "$(column blank 2)"
echo "medians of $runs launches each"
