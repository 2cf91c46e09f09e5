#!/usr/bin/env bash
# cpack makes a Debian package that lintian and the metadata validators accept;
# unpacked with dpkg -x, its launcher starts the game from another folder and
# Escape quits with 0. A validator that is not installed is skipped.
# Usage: package.sh BUILD_DIR [OUT]
source "$(dirname "$0")/lib.sh"
build=$1 out=${2:-$(mktemp -d)}
mkdir -p "$out"
root=$scratch/root

rm -rf "$out/package"
(cd "$build" && cpack -G DEB -B "$out/package") >"$out/cpack.log" 2>&1 || fail "cpack failed: $(cat "$out/cpack.log")"
deb=$(echo "$out"/package/dorian-hazardous_*_*.deb)
[ -f "$deb" ] || fail "cpack made no dorian-hazardous_<version>_<arch>.deb"
dpkg -x "$deb" "$root" || fail "dpkg -x failed"
usr=$root/usr
require_files "$usr" games/dorian-hazardous libexec/dorian-hazardous/dorian share/games/dorian-hazardous/level1.dat \
    share/applications/io.github.dorian_hazardous.desktop share/metainfo/io.github.dorian_hazardous.metainfo.xml \
    share/icons/hicolor/64x64/apps/dorian-hazardous.png share/man/man6/dorian-hazardous.6.gz \
    share/doc/dorian-hazardous/{copyright,changelog.gz}
dpkg-deb -f "$deb" Depends | grep -q libsdl2-mixer || fail "no dependencies read from the binary"

# A new version needs its changelog entry and its release in the metainfo.
version=$(dpkg-deb -f "$deb" Version)
zcat "$usr/share/doc/dorian-hazardous/changelog.gz" | head -n 1 | grep -qF "($version)" ||
    fail "the changelog's latest entry is not $version"
grep -m 1 "<release " "$usr"/share/metainfo/*.xml | grep -qF "version=\"$version\"" ||
    fail "the metainfo's latest release is not $version"

# validate TOOL ARGS...: TOOL must pass; skipped when it is not installed.
validate() {
    command -v "$1" >/dev/null || { echo "e2e: $1 is not installed, skipped"; return 1; }
    "$@" >"$out/$1.log" 2>&1 || fail "$1 failed: $(cat "$out/$1.log")"
}
validate lintian --fail-on error "$deb" && grep -E '^[EW]:' "$out/lintian.log"
validate desktop-file-validate "$usr"/share/applications/*.desktop
validate appstreamcli validate-tree --no-net "$root"
if command -v man >/dev/null; then
    man --warnings=w -l "$usr/share/man/man6/dorian-hazardous.6.gz" 2>"$out/man.log" >/dev/null ||
        fail "man cannot render the manual page"
    [ ! -s "$out/man.log" ] || fail "the manual page has warnings: $(cat "$out/man.log")"
fi

"$(dirname "$0")/start_and_quit.sh" "$usr/games/dorian-hazardous" /tmp "$out"
