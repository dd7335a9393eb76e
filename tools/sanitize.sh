#!/usr/bin/env bash
# The sanitizer check of CI: builds the program and its tests once more with
# gcc's AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/, runs
# the whole suite there, and replays every committed fuzz input
# (fuzz/corpus/<target>/) through its target's entry point. Any sanitizer
# report fails the check: ASan stops at its first report, and undefined
# behaviour is fatal (-fno-sanitize-recover, halt_on_error). Only the
# landmarks' plugin for every processor is built here, so the suite runs the
# automatic placement through that one (the release build's runs the AVX2 one).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ORVESSA_ASAN_BUILD:-$root/build-asan}"

start=$(date +%s)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache) # see tools/setup.sh
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVESSA_SANITIZE=ON -DORVESSA_LANDMARKS_AVX2=OFF "${launcher[@]}"
cmake --build "$build" -j"$(nproc)"
built=$(date +%s)

# Leaks are not checked: Qt, fontconfig and the web engine keep caches until
# the process ends. new_delete_type_mismatch is off because QtWebEngine frees
# one of its own objects with a mismatched size inside its destructor, a
# report in its code, not ours, on every test that shows a report.
export ASAN_OPTIONS=detect_leaks=0:new_delete_type_mismatch=0:halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
echo "sanitizer check: build $((built - start)) s, suite and corpus replay $(( $(date +%s) - built )) s"
