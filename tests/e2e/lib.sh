# Shared steps of the end-to-end scenarios; sourced inside a virtual X server.
# Each scenario sets: game (binary), data (folder to run in), out (artefacts).

export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# Settings, progress and scores go into the scenario's own folders, never the
# real home, and each run starts without any (an XDG folder must be absolute).
scratch_home=$(cd "$out" && pwd)/dorian-e2e-home
rm -rf "$scratch_home"
export XDG_CONFIG_HOME="$scratch_home/config" XDG_DATA_HOME="$scratch_home/data"
# The game ends through exit() inside GLUT's loop, with X and GL left to the
# system; leak checks belong to the unit tests.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

# A virtual X server of our own on a free display number that it picks
# itself, gone when the scenario ends.
start_virtual_display() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
    xvfb_pid=$!
    local number
    read -r -t 20 number <"$fifo"
    rm -f "$fifo"
    [ -n "$number" ] || { echo "e2e: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$number"
    trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null' EXIT
}

fail() {
    echo "e2e: $*" >&2
    [ -f "$out/stderr.txt" ] && sed 's/^/  stderr: /' "$out/stderr.txt" >&2
    [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null
    exit 1
}

# Starts the game in its data folder and waits for its window.
launch_game() {
    (cd "$data" && exec "$game" >"$out/stdout.txt" 2>"$out/stderr.txt") &
    pid=$!
    window=""
    for _ in $(seq 1 150); do
        window=$(xdotool search --onlyvisible --name "Dorian Hazardous" 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || fail "the game ended before showing a window"
        sleep 0.1
    done
    [ -n "$window" ] || fail "no game window appeared"
    xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 1
}

screenshot() { import -window root "$out/$1.png" || fail "screenshot $1 failed"; }

# The number of pixels that differ between two screenshots.
pixels_changed() { compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 | cut -d' ' -f1; }

# The brightest channel value anywhere in a screenshot (0 for all black).
brightest() { convert "$out/$1.png" -format '%[fx:int(255*maxima)]' info:; }

# Escape must end the game with exit code 0 within a few seconds.
quit_with_escape() {
    xdotool key Escape
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "the game did not quit on Escape"
    wait "$pid"
    local code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after Escape"
    pid=""
}

# Standard output carries only the game's own diagnostics.
check_stdout() {
    if grep -v -E "^ can't open file: |^not a 24 bit/pixelimage, or is compressed!$" "$out/stdout.txt"; then
        fail "unexpected lines on standard output (above)"
    fi
}
