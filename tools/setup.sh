#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks (only what is missing), then
# configures and builds Orvessa in build/ (Release). Sourced by run.sh,
# test.sh and bench/run.
set -euo pipefail

ORVESSA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ORVESSA_BUILD="${ORVESSA_BUILD:-$ORVESSA_ROOT/build}"

# Installed without recommended packages, so what the program needs of them
# at run time is named here: libwmf cannot draw a metafile without the URW
# fonts (fonts-urw-base35), and Qt's own texts (dialog buttons, the file
# dialog) speak the chosen language through Qt's translations
# (qt6-translations-l10n). Qt's other recommendations (extra platform
# plugins, the GTK theme) are not needed: the X11 and offscreen platforms
# come with libqt6gui6. dpkg-dev and file let cpack compute the
# Debian package's dependencies; the two validators check the desktop files.
orvessa_packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-webengine-dev qt6-svg-dev libgl-dev
    libjpeg62-turbo-dev libwmf-dev libemf2svg-dev libfontconfig-dev
    libbenchmark-dev xvfb xauth dbus-daemon
    fonts-dejavu-core fonts-liberation2 fonts-urw-base35 qt6-translations-l10n
    libdlib-dev libdlib-data
    desktop-file-utils appstream dpkg-dev file
)

orvessa_install_missing() {
    local missing=()
    for package in "${orvessa_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# A compiler cache, where the machine has one, makes builds after the first
# take a fraction of the time; it is not installed for this.
orvessa_launcher() {
    if command -v ccache >/dev/null; then echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"; fi
}

orvessa_build() {
    cmake -S "$ORVESSA_ROOT" -B "$ORVESSA_BUILD" -DCMAKE_BUILD_TYPE=Release $(orvessa_launcher)
    cmake --build "$ORVESSA_BUILD" -j"$(nproc)"
}

orvessa_install_missing
orvessa_build
