#!/usr/bin/env bash
# `cmake --install` lays out a working game: launcher, data, menu entry and
# icons; the installed launcher starts the game from anywhere and Escape quits.
# Usage: installed.sh BUILD_DIR [OUT]
source "$(dirname "$0")/lib.sh"
build=$1 out=${2:-$(mktemp -d)}
mkdir -p "$out"
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >"$out/install.log" 2>&1 || fail "cmake --install failed: $(cat "$out/install.log")"
require_files "$prefix" bin/dorian-hazardous libexec/dorian-hazardous/dorian \
    share/dorian-hazardous/{level1.dat,dorin3.bmp,music/survival.it,zap.wav} \
    share/applications/io.github.dorian_hazardous.desktop share/icons/hicolor/64x64/apps/dorian-hazardous.png \
    share/man/man6/dorian-hazardous.6.gz share/metainfo/io.github.dorian_hazardous.metainfo.xml
[ ! -e "$prefix/games" ] || fail "the install holds the package's layout too"
# Moved elsewhere, the installed tree still finds its data.
mv "$prefix" "$prefix.moved"
"$(dirname "$0")/start_and_quit.sh" "$prefix.moved/bin/dorian-hazardous" /tmp "$out"
