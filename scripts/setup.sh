# Shared by scripts/run and scripts/test: installs what is missing and builds.
# Source it; it defines `ensure_packages` and `build_tree`.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

PACKAGES=(
    cmake g++ make pkg-config
    freeglut3-dev libgl1-mesa-dev libglu1-mesa-dev libx11-dev
    libsdl2-dev libsdl2-mixer-dev libosmesa6-dev
    xvfb xauth xdotool imagemagick desktop-file-utils
    libgtest-dev libbenchmark-dev libopenmpt-dev zlib1g-dev
    clang-14 libclang-rt-14-dev stress-ng
    dpkg-dev file lintian appstream man-db groff-base
)

ensure_packages() {
    local missing=() p
    for p in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null; then
            sudo=(sudo)
        else
            echo "error: these Debian packages are missing and I am not root and have no sudo:" >&2
            echo "  ${missing[*]}" >&2
            echo "Install them with: apt-get install ${missing[*]}" >&2
            return 1
        fi
    fi
    if ! "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"; then
        "${sudo[@]}" apt-get update -q &&
            "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" || {
            echo "error: could not install: ${missing[*]}" >&2
            return 1
        }
    fi
}

# build_tree DIR BUILD_TYPE [cmake options...]
build_tree() {
    local dir=$1 type=$2
    shift 2
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null || return 1
    cmake --build "$dir" -j "$(nproc)" || return 1
}
