#!/usr/bin/env bash
# Runs the monkey against tabrinex on a private Xvfb display, with a session
# bus of its own and the accessibility bus on, as a desktop session has them.
#
#   monkey.sh TABRINEX SESSION_SCRIPT SECONDS [SEED]
#   monkey.sh TABRINEX SESSION_SCRIPT --replay EVENT_LOG
#
# The events go to monkey-events.jsonl in the current folder and, when the run
# fails, the program's own output beside it.
set -euo pipefail
program=$(realpath "$1")
source "$2"
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
shift 2
if [ "$1" = --replay ]; then
  arguments=(--replay --log "$(realpath "$2")" --seconds 0)
else
  arguments=(--seconds "$1" --log "$PWD/monkey-events.jsonl")
  [ -n "${2:-}" ] && arguments+=(--seed "$2")
fi

session_start_display
work=$session_work
mkdir -m 700 "$work/runtime/pulse" "$work/runs"
session_start_bus
# A desktop session starts the accessibility bus before any program; Qt joins
# it only once it is there, so it is asked for here rather than by the first look.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
# Qt speaks to the accessibility bus without waiting for a screen reader.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
# Leaks are checked at every exit; any finding ends the program with a status.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# "System Info..." starts a viewer that ends at once, not the desktop's: it is
# found first, under no desktop, ahead of any installed viewer.
mkdir "$work/viewer"
ln -s "$(type -P true)" "$work/viewer/hardinfo2"
unset XDG_CURRENT_DESKTOP
export PATH=$work/viewer:$PATH

status=0
/usr/bin/python3 "$here/monkey.py" "$program" --work "$work/runs" "${arguments[@]}" || status=$?
if [ $status -ne 0 ]; then
  mkdir -p monkey-runs
  cp "$work"/runs/*.log "$work"/runs/stacks.txt monkey-runs/ 2>/dev/null || true
  echo "monkey: the program's output of every start is in $PWD/monkey-runs"
fi
exit $status
