#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Orvessa and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tools/setup.sh"
exec "$ORVESSA_BUILD/orvessa"
