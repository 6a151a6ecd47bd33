#!/usr/bin/env bash
# The real-desktop checks of tests/desktop_checks, each file a CTest test
# labelled desktop-checks. Arguments go to ctest:
#   scripts/desktop-checks.sh                          all of them
#   scripts/desktop-checks.sh -R themes                one
#   scripts/desktop-checks.sh --repeat until-fail:10   each 10 times in a row, up to a failure
# A failing test keeps its evidence in build/desktop-checks/TEST/.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
kelvaro_install_packages
cmake -S "$KELVARO_ROOT" -B "$KELVARO_BUILD" -G Ninja -DKELVARO_BUILD_TESTS=ON >/dev/null
# The program, the palette a theme gives Qt (read by the theme check) and
# the matcher that finds the cues in a recording.
cmake --build "$KELVARO_BUILD" --target tabrinex palette_probe cue_match
ctest --test-dir "$KELVARO_BUILD" -L desktop-checks --output-on-failure "$@"
