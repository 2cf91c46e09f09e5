# Shared by the measuring scripts: the real game in a copy of its data folder,
# under a virtual X server of our own, with its files kept out of the home
# folder. Source after setting `build` (this build's folder) and `out` (a
# scratch folder); it starts the server.

source "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/lib.sh"
start_virtual_display
shim=$build/bench/libswap_log.so
[ -f "$shim" ] || { echo "no $shim: build the benchmarks first" >&2; exit 1; }

# Settings, scores and progress go here; Mesa keeps its shader cache here too,
# warm after the first launch as on a player's machine.
export HOME=$out/home XDG_CONFIG_HOME=$out/home/config XDG_DATA_HOME=$out/home/data \
    XDG_STATE_HOME=$out/home/state XDG_CACHE_HOME=$out/home/cache
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME" "$XDG_CACHE_HOME"

# The data folder, with level 12 where era 4 starts, so that Up and Enter on
# the menu lead straight to it.
data=$out/data
cp -r "$build/data" "$data"
cp "$data/level12.dat" "$data/level11.dat"

# Median of the numbers on standard input.
median() { sort -n | awk '{a[NR] = $1} END {print (NR ? a[int((NR + 1) / 2)] : "none")}'; }

# Waits until FILE has a line matching PATTERN and prints it; fails after 20 s.
wait_for_line() {
    local file=$1 pattern=$2 line
    for _ in $(seq 1 400); do
        line=$(grep -m1 "$pattern" "$file" 2>/dev/null) && { echo "$line"; return 0; }
        sleep 0.05
    done
    return 1
}
