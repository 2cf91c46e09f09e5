# Shared steps of the end-to-end scenarios, each under its own virtual X
# server. Every step waits for a condition until a generous deadline, never
# for a fixed time: on a busy machine any step may take many times longer.

set -u
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# The game ends through exit() inside GLUT's loop, with X and GL left to the
# system; leak checks belong to the unit tests.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
E2E_DEADLINE=${E2E_DEADLINE:-90}  # seconds one step may take

scratch=$(mktemp -d)
trap 'kill -9 ${pid:-} 2>/dev/null; kill ${xvfb_pid:-} 2>/dev/null && wait; rm -rf "$scratch"' EXIT

fail() {
    echo "e2e: $*" >&2
    [ -f "${out:-}/stderr.txt" ] && sed 's/^/  stderr: /' "$out/stderr.txt" >&2
    exit 1
}

# wait_until WHAT COMMAND...: runs COMMAND until it succeeds, or fails the
# scenario after the deadline, naming WHAT it waited for.
wait_until() {
    local what=$1 end=$((SECONDS + E2E_DEADLINE))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || fail "gave up after ${E2E_DEADLINE}s waiting for $what"
        sleep 0.1
    done
}

# scenario_folders GAME DATA [OUT]: sets $game, $data and $out (artefacts);
# settings, progress and scores go into empty folders of the run's own, never
# the real home.
scenario_folders() {
    game=$1 data=$2 out=${3:-$(mktemp -d)}
    mkdir -p "$out"
    local home
    home=$(cd "$out" && pwd)/dorian-e2e-home
    rm -rf "$home"
    export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
}

# A virtual display that picks a free number itself and never resets (one
# whose last client leaves would refuse connections for a moment).
start_virtual_display() {
    local fifo number=""
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -noreset -screen 0 "${E2E_SCREEN:-1024x768x24}" -nolisten tcp 3>"$fifo" 2>/dev/null &
    xvfb_pid=$!
    read -r -t "$E2E_DEADLINE" number <"$fifo"
    rm -f "$fifo"
    [ -n "$number" ] || fail "Xvfb did not start"
    export DISPLAY=":$number"
    wait_until "the display to accept connections" eval 'xdotool getdisplaygeometry >/dev/null 2>&1'
}

# begin_scenario GAME DATA [OUT]: the folders, then the virtual display.
begin_scenario() {
    scenario_folders "$@"
    start_virtual_display
}

# use_data_copy [FILE...]: points $data at a scratch folder of links to its
# files, without those named, for a scenario to replace or damage them.
use_data_copy() {
    local file
    mkdir "$scratch/data" && cp -rs "$(cd "$data" && pwd)"/. "$scratch/data"/
    for file; do rm -rf "$scratch/data/$file"; done
    data=$scratch/data
}

# write_first_level [AWK]: the data copy's level1.dat becomes 100 by 100 tiles:
# a floor four deep between walls too high to jump, open above them so that the
# top of the view stays clear, and the start at column 3; the AWK statement may
# change `code` at `row` and `col` (row 0 is the bottom).
write_first_level() {
    awk "BEGIN { for (row = 0; row < 100; row++) { line = \"\"; for (col = 0; col < 100; col++) {
        code = row <= 3 || ((col == 0 || col == 99) && row <= 9) ? 1 : row == 5 && col == 3 ? 95 : -1
        ${1:-}
        line = line code \" \" }; print line } }" >"$data/level1.dat"
}

window_shown() {
    kill -0 "$pid" 2>/dev/null || fail "the game ended before showing a window"
    window=$(xdotool search --onlyvisible --name "Dorian Hazardous" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}
# Gives the game's window (in $window) the keyboard.
focus_window() { timeout "$E2E_DEADLINE" xdotool windowfocus --sync "$window" 2>/dev/null; }

screenshot() { import -window root "$out/$1.png" || fail "screenshot $1 failed"; }
# The number of pixels that differ between two screenshots.
pixels_changed() { compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 | cut -d' ' -f1; }
# shows_picture NAME: a screenshot, NAME.png, with a channel brighter than black.
shows_picture() { screenshot "$1" && [ "$(convert "$out/$1.png" -format '%[fx:int(255*maxima)]' info:)" -gt 0 ]; }

differs() { screenshot "$2" && [ "$(pixels_changed "$1" "$2")" -gt "${3:-1000}" ] 2>/dev/null; }
# wait_for_change FROM NAME [PIXELS]: until the screen differs from FROM.png in
# more than PIXELS pixels (1000), kept as NAME.png.
wait_for_change() { wait_until "the picture to change from $1" differs "$@"; }

still() { mv "$out/$1.png" "$out/$1.before.png" && ! differs "$1.before" "$1" 0; }
# wait_until_still NAME: until two screenshots in a row are the same, kept as
# NAME.png.
wait_until_still() { screenshot "$1" && wait_until "the picture to stand still" still "$1"; }

game_gone() { ! kill -0 "$pid" 2>/dev/null; }
# wait_until_gone WHAT: until the game has ended; sets $code to its exit code.
wait_until_gone() {
    wait_until "the game to end after $1" game_gone
    wait "$pid"
    code=$? pid=""
}

# launch_game [REDIRECTION...]: the game in its data folder with the options in
# $game_options, its output in $out unless redirections (e.g. '>&-') say
# otherwise; sets $pid, focuses its window and waits for a first picture that
# is not all black, kept as start.png.
game_options=()
launch_game() {
    local streams=('>"$out/stdout.txt"' '2>"$out/stderr.txt"')
    [ $# -gt 0 ] && streams=("$@")
    (cd "$data" && eval 'exec "$game" "${game_options[@]}"' "${streams[@]}") &
    pid=$!
    wait_until "the game's window" window_shown
    focus_window
    wait_until "a picture that is not all black" shows_picture start
}

# Standard output carries only the game's own diagnostics.
check_stdout() {
    ! grep -v -E "^ can't open file: |^not a 24 bit/pixelimage, or is compressed!$" "$out/stdout.txt" ||
        fail "unexpected lines on standard output (above)"
}

# Escape must end the game with exit code 0, its output clean.
quit_with_escape() {
    xdotool key Escape
    wait_until_gone Escape
    [ "$code" -eq 0 ] || fail "exit code $code after Escape"
    check_stdout
}

# require_files ROOT FILE...: every FILE exists under ROOT.
require_files() {
    local root=$1 file
    shift
    for file; do [ -e "$root/$file" ] || fail "$root lacks $file"; done
}
