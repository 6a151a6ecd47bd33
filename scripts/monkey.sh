#!/usr/bin/env bash
# Random input for the sanitizer build of tabrinex on a private X display, with
# the accessibility bus on, for MINUTES; SEED repeats an earlier run.
#   scripts/monkey.sh MINUTES [SEED]
# The events sent go to monkey-events.jsonl in the current folder;
#   bash tests/reliability/monkey.sh TABRINEX scripts/session.sh --replay monkey-events.jsonl
# sends them again.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

minutes=${1:?usage: scripts/monkey.sh MINUTES [SEED]}
build=${KELVARO_MONKEY_BUILD:-$KELVARO_ROOT/build-sanitize}

kelvaro_install_packages clang libclang-rt-dev xvfb xdotool dbus at-spi2-core python3-xlib python3-gi gdb \
  gir1.2-atspi-2.0
if [ ! -f "$build/CMakeCache.txt" ]; then
  CXX=clang++ cmake -S "$KELVARO_ROOT" -B "$build" -G Ninja -DKELVARO_SANITIZE=ON -DKELVARO_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target tabrinex >/dev/null
bash "$KELVARO_ROOT/tests/reliability/monkey.sh" "$build/shell/tabrinex" "$KELVARO_ROOT/scripts/session.sh" \
  $((minutes * 60)) ${2:+"$2"}
