#!/usr/bin/env bash
# Sets up what is missing, builds, and starts Kelvaro #1.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
kelvaro_build -DKELVARO_BUILD_TESTS=OFF
exec "$KELVARO_BUILD/shell/tabrinex" "$@"
