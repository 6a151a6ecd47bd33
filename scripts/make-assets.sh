#!/usr/bin/env bash
# Writes every generated asset into the source tree again: the sound cues, the
# icons, the About box's and the game's pictures, the plaque bitmaps and the
# program icon in all its forms. `git status` then shows what a change to a
# generator changed. The pictures drawn through Qt depend on the installed
# fonts; the rest come out the same everywhere.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
kelvaro_install_packages
cmake -S "$KELVARO_ROOT" -B "$KELVARO_BUILD" -G Ninja >/dev/null
cmake --build "$KELVARO_BUILD" --target assets
