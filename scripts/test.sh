#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test through CTest. Needs no
# display and no sound card: window tests use Qt's offscreen platform.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
kelvaro_install_packages
kelvaro_build -DKELVARO_BUILD_TESTS=ON
# The real-desktop checks run on their own: scripts/desktop-checks.sh.
ctest --test-dir "$KELVARO_BUILD" --output-on-failure -j "$(nproc)" -LE desktop-checks
