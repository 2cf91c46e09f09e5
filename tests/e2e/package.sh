#!/usr/bin/env bash
# cpack makes a Debian package that lintian and the metadata validators accept;
# unpacked with dpkg -x, its launcher starts the game from another folder and
# Escape quits with 0. A validator that is not installed is skipped.
# Usage: package.sh BUILD_DIR [OUT]
set -u
build=$1 out=${2:-$(mktemp -d)}
mkdir -p "$out"
source "$(dirname "$0")/lib.sh"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

rm -rf "$out/package"
(cd "$build" && cpack -G DEB -B "$out/package") >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log" >&2
    fail "cpack failed"
}
deb=$(echo "$out"/package/dorian-hazardous_*_*.deb)
[ -f "$deb" ] || fail "cpack made no dorian-hazardous_<version>_<arch>.deb"
dpkg -x "$deb" "$root" || fail "dpkg -x failed"
usr=$root/usr
for file in games/dorian-hazardous libexec/dorian-hazardous/dorian share/games/dorian-hazardous/level1.dat \
    share/applications/io.github.dorian_hazardous.desktop share/metainfo/io.github.dorian_hazardous.metainfo.xml \
    share/icons/hicolor/64x64/apps/dorian-hazardous.png share/man/man6/dorian-hazardous.6.gz \
    share/doc/dorian-hazardous/copyright share/doc/dorian-hazardous/changelog.gz; do
    [ -e "$usr/$file" ] || fail "the package lacks /usr/$file"
done
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
    "$@" >"$out/$1.log" 2>&1 || { cat "$out/$1.log" >&2; fail "$1 failed"; }
}
validate lintian --fail-on error "$deb" && grep -E '^[EW]:' "$out/lintian.log"
validate desktop-file-validate "$usr"/share/applications/*.desktop
validate appstreamcli validate-tree --no-net "$root"
page=$usr/share/man/man6/dorian-hazardous.6.gz
if command -v man >/dev/null; then
    man --warnings=w -l "$page" 2>"$out/man.log" >/dev/null || fail "man cannot render the manual page"
    [ ! -s "$out/man.log" ] || { cat "$out/man.log" >&2; fail "the manual page has warnings"; }
fi

"$(dirname "$0")/start_and_quit.sh" "$usr/games/dorian-hazardous" /tmp "$out"
