# Shared steps of the end-to-end scenarios; sourced inside a virtual X server.
# Each scenario sets: game (binary), data (folder to run in), out (artefacts).
#
# Every step waits for a condition (the display answering, the window mapped,
# a picture on screen, the process gone), polling until a generous deadline,
# and never sleeps a fixed time: on a busy machine, under the sanitizers, any
# step may take many times longer than usual.

export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# The game ends through exit() inside GLUT's loop, with X and GL left to the
# system; leak checks belong to the unit tests.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

# Seconds one step may take before the scenario fails.
E2E_DEADLINE=${E2E_DEADLINE:-90}
# Pixels that must differ for a picture to count as changed.
E2E_CHANGED_PIXELS=${E2E_CHANGED_PIXELS:-1000}

scratch_dirs=()
cleanup() {
    [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    [ ${#scratch_dirs[@]} -gt 0 ] && rm -rf "${scratch_dirs[@]}"
}
trap cleanup EXIT

fail() {
    echo "e2e: $*" >&2
    [ -f "$out/stderr.txt" ] && sed 's/^/  stderr: /' "$out/stderr.txt" >&2
    exit 1
}

# wait_until WHAT COMMAND...: runs COMMAND until it succeeds; after the
# deadline the scenario fails, saying what it waited for.
wait_until() {
    local what=$1 end=$((SECONDS + E2E_DEADLINE))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || fail "gave up after ${E2E_DEADLINE}s waiting for $what"
        sleep 0.1
    done
}

# Points $data at a scratch folder of links to its files, without the files
# named, so that a scenario can replace or damage them.
use_data_copy() {
    local copy file
    copy=$(mktemp -d)
    scratch_dirs+=("$copy")
    cp -rs "$(cd "$data" && pwd)"/. "$copy"/
    for file; do rm -rf "${copy:?}/$file"; done
    data=$copy
}

display_answers() { xdotool getdisplaygeometry >/dev/null 2>&1; }

# A virtual X server of our own on a free display number that it picks
# itself, gone when the scenario ends. It never resets: a server whose last
# client leaves would otherwise refuse connections for a moment.
start_virtual_display() {
    local fifo number=""
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
    xvfb_pid=$!
    read -r -t "$E2E_DEADLINE" number <"$fifo"
    rm -f "$fifo"
    [ -n "$number" ] || fail "Xvfb did not start"
    export DISPLAY=":$number"
    wait_until "the display to accept connections" display_answers
}

# Starts the game in its data folder with its output in $out; extra
# arguments replace those redirections (e.g. ">&-").
start_game() {
    if [ $# -eq 0 ]; then
        (cd "$data" && exec "$game" >"$out/stdout.txt" 2>"$out/stderr.txt") &
    else
        (cd "$data" && eval 'exec "$game"' "$@") &
    fi
    pid=$!
}

window_shown() {
    kill -0 "$pid" 2>/dev/null || fail "the game ended before showing a window"
    window=$(xdotool search --onlyvisible --name "Dorian Hazardous" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}

# Waits until the game's window is mapped, then gives it the keyboard.
wait_for_window() {
    wait_until "the game's window" window_shown
    timeout "$E2E_DEADLINE" xdotool windowfocus --sync "$window" 2>/dev/null
}

screenshot() { import -window root "$out/$1.png" || fail "screenshot $1 failed"; }

# The number of pixels that differ between two screenshots.
pixels_changed() { compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 | cut -d' ' -f1; }

# The brightest channel value anywhere in a screenshot (0 for all black).
brightest() { convert "$out/$1.png" -format '%[fx:int(255*maxima)]' info:; }

shows_picture() { screenshot "$1" && [ "$(brightest "$1")" -gt 0 ]; }
# wait_for_picture NAME: until a frame that is not all black is on screen,
# kept as NAME.png.
wait_for_picture() { wait_until "a picture that is not all black" shows_picture "$1"; }

differs_from() {
    screenshot "$2"
    local changed
    changed=$(pixels_changed "$1" "$2")
    [ "${changed%.*}" -gt "${3:-$E2E_CHANGED_PIXELS}" ] 2>/dev/null
}
# wait_for_change FROM NAME [PIXELS]: until the screen differs from FROM.png
# in more than PIXELS pixels, kept as NAME.png.
wait_for_change() { wait_until "the picture to change from $1" differs_from "$@"; }

stands_still() {
    [ -f "$out/$1.png" ] && mv "$out/$1.png" "$out/$1.previous.png"
    screenshot "$1"
    [ -f "$out/$1.previous.png" ] && [ "$(pixels_changed "$1.previous" "$1")" = 0 ]
}
# wait_until_still NAME: until two screenshots in a row are the same, kept as
# NAME.png.
wait_until_still() {
    rm -f "$out/$1.png" "$out/$1.previous.png"
    wait_until "the picture to stand still" stands_still "$1"
}

game_gone() { ! kill -0 "$pid" 2>/dev/null; }
# wait_until_gone WHAT: until the game has ended; sets $code to its exit code.
wait_until_gone() {
    wait_until "the game to end after $1" game_gone
    wait "$pid"
    code=$?
    pid=""
}

# Launches the game and waits until it shows its first picture.
launch_game() {
    start_game "$@"
    wait_for_window
    wait_for_picture start
}

# Escape must end the game with exit code 0.
quit_with_escape() {
    xdotool key Escape
    wait_until_gone Escape
    [ "$code" -eq 0 ] || fail "exit code $code after Escape"
}

# Standard output carries only the game's own diagnostics.
check_stdout() {
    if grep -v -E "^ can't open file: |^not a 24 bit/pixelimage, or is compressed!$" "$out/stdout.txt"; then
        fail "unexpected lines on standard output (above)"
    fi
}
