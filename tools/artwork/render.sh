#!/bin/sh
# Builds the artwork generator and redraws the program's pictures into
# data/pic and src/app/icons. Extra arguments go to the generator, for
# example: tools/artwork/render.sh --review /tmp/artwork-review
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ARTWORK_BUILD_DIR:-$root/build-artwork}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVESSA_BUILD_ARTWORK=ON >/dev/null
cmake --build "$build" --target orvessa_artwork -j2
QT_QPA_PLATFORM=offscreen "$build/tools/artwork/orvessa_artwork" "$root" "$@"
