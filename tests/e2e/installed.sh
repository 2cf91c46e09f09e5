#!/usr/bin/env bash
# `cmake --install` lays out a working game: launcher, data, menu entry and
# icons; the installed launcher starts the game from anywhere and Escape quits.
# Usage: installed.sh BUILD_DIR [OUT]
set -u
build=$1 out=${2:-$(mktemp -d)}
mkdir -p "$out"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >"$out/install.log" 2>&1 || {
    cat "$out/install.log" >&2
    exit 1
}
for file in bin/dorian-hazardous libexec/dorian-hazardous/dorian \
    share/dorian-hazardous/level1.dat share/dorian-hazardous/dorin3.bmp \
    share/dorian-hazardous/music/survival.it share/dorian-hazardous/zap.wav \
    share/applications/io.github.dorian_hazardous.desktop \
    share/icons/hicolor/64x64/apps/dorian-hazardous.png share/man/man6/dorian-hazardous.6.gz \
    share/metainfo/io.github.dorian_hazardous.metainfo.xml; do
    [ -e "$prefix/$file" ] || { echo "e2e: the install lacks $file" >&2; exit 1; }
done
[ ! -e "$prefix/games" ] || { echo "e2e: the install holds the package's layout too" >&2; exit 1; }
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/io.github.dorian_hazardous.desktop" || exit 1
fi
# Moved elsewhere, the installed tree still finds its data.
mv "$prefix" "$prefix.moved" && prefix="$prefix.moved"
trap 'rm -rf "$prefix"' EXIT
"$(dirname "$0")/start_and_quit.sh" "$prefix/bin/dorian-hazardous" /tmp "$out"
