#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Orvessa and runs the whole test
# suite headless through CTest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tools/setup.sh"
ctest --test-dir "$ORVESSA_BUILD" --output-on-failure -j"$(nproc)"
