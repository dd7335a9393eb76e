#!/usr/bin/env bash
# Installs the build into a temporary prefix, makes the prefix read-only (for
# root too: a read-only bind mount in a private mount namespace) and runs the
# installed program from another working directory: its command line, a start
# with a photo, and the whole job against the installed data folder, whose
# report must then go to the cache folder.
#
#   installed_program.sh BUILD VERSION BINDIR PLUGINDIR DATADIR WHOLEJOB PHOTO
set -euo pipefail
build=$1 version=$2 bindir=$3 plugindir=$4 datadir=$5 wholejob=$6 photo=$7

if [ "${ORVESSA_READ_ONLY_PREFIX:-}" = "" ]; then
    root=$(mktemp -d /tmp/orvessa-installed.XXXXXX)
    trap 'chmod -R u+w "$root"; rm -rf "$root"' EXIT
    cmake --install "$build" --prefix "$root/usr" >/dev/null
    chmod -R a-w "$root/usr"
    export ORVESSA_READ_ONLY_PREFIX=$root/usr XDG_CACHE_HOME=$root/cache XDG_CONFIG_HOME=$root/config
    if [ "$(id -u)" -eq 0 ]; then
        # Mode bits do not stop root: run the rest under a read-only mount.
        unshare --mount --propagation private bash -c \
            'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && shift && exec bash "$@"' \
            _ "$root/usr" "$0" "$@"
    else
        bash "$0" "$@"
    fi
    exit
fi

prefix=$ORVESSA_READ_ONLY_PREFIX
fail() { echo "FAIL: $*" >&2; exit 1; }
touch "$prefix/$datadir/probe" 2>/dev/null && fail "the prefix is writable"

for file in "$bindir/orvessa" "$plugindir/orvessa_browser.so" "$plugindir/orvessa_decoders.so" \
    "$datadir/lng/english.lng" "$datadir/lng/russian.lng" "$datadir/pic/heart.png" "$datadir/res/resulten.html" \
    "$datadir/help/english.html" share/applications/org.tallowmere.Orvessa.desktop \
    share/metainfo/org.tallowmere.Orvessa.metainfo.xml share/icons/hicolor/scalable/apps/org.tallowmere.Orvessa.svg; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for size in 16 32 48 64 128 256; do
    file "$prefix/share/icons/hicolor/${size}x$size/apps/org.tallowmere.Orvessa.png" | grep -q "PNG image data, $size x $size" \
        || fail "no $size pixel icon"
done
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/org.tallowmere.Orvessa.metainfo.xml" \
    || fail "the metainfo lacks release $version"

cd /
program=$prefix/$bindir/orvessa
# No display is needed for --help and --version.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" --version)" = "Orvessa $version" ] || fail "--version"
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" --help | grep -q "\[PHOTO\]" || fail "--help"
status=0
"$program" --no-such-option >/dev/null 2>"$XDG_CACHE_HOME.err" || status=$?
[ "$status" -eq 2 ] && grep -q "Unknown option 'no-such-option'" "$XDG_CACHE_HOME.err" || fail "unknown option: status $status"

# A start with a photo; the start-up probe ends the program once it is idle.
output=$(ORVESSA_STARTUP_PROBE=$(date +%s%N) timeout 120 "$program" "$photo") || fail "start with a photo"
echo "$output" | grep -q "^startup_ms " || fail "no start-up: $output"

ORVESSA_TEST_INSTALLED_BIN=$prefix/$bindir "$wholejob" wholeJob
