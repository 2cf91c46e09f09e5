#!/usr/bin/env bash
# Starts the real game in its data folder under a virtual X server, takes a
# screenshot, presses Escape and checks a clean exit with a quiet stdout.
set -u
game=$1
data=$2
out=${3:-$(mktemp -d)}
mkdir -p "$out"

if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null || ! command -v import >/dev/null; then
    echo "e2e: needs xvfb-run, xdotool and imagemagick" >&2
    exit 1
fi

export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# The game ends through exit() inside GLUT's loop, with X and GL left to the
# system; leak checks belong to the unit tests.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$game" "$data" "$out" <<'INNER'
set -u
game=$1 data=$2 out=$3
cd "$data" || exit 1
"$game" >"$out/stdout.txt" 2>"$out/stderr.txt" &
pid=$!

window=""
for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name "Dorian Hazardous" 2>/dev/null | head -n 1)
    [ -z "$window" ] && window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "e2e: no game window appeared" >&2
    cat "$out/stderr.txt" >&2
    kill "$pid" 2>/dev/null
    exit 1
fi
sleep 1
import -window root "$out/start.png"

xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key Escape
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "e2e: the game did not quit on Escape" >&2
    kill -9 "$pid"
    exit 1
fi
wait "$pid"
code=$?
if [ "$code" -ne 0 ]; then
    echo "e2e: exit code $code after Escape" >&2
    cat "$out/stderr.txt" >&2
    exit 1
fi
INNER
status=$?
[ $status -eq 0 ] || exit $status

# Standard output carries only the game's own diagnostics.
if grep -v -E "^ can't open file: |^not a 24 bit/pixelimage, or is compressed!$" "$out/stdout.txt"; then
    echo "e2e: unexpected lines on standard output (above)" >&2
    exit 1
fi
echo "e2e: started, showed a window, quit with 0 on Escape"
