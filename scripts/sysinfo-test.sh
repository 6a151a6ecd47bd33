#!/usr/bin/env bash
# The About box's "System Info..." with the real viewers installed: GNOME
# Settings, KDE's Info Center and hardinfo. For each desktop, tabrinex runs on
# a private Xvfb display with a runtime folder, home and session bus of its
# own; "System Info..." is pressed by its access key, and the check looks for
# the new window, the process that owns it and what that process was started
# with. The About box must stay open and usable, and tabrinex must answer,
# while the viewer runs, and the viewer must outlive tabrinex. "None installed"
# is tabrinex started with a search path that holds no viewer: the message
# must show. Prints one line per check; exits non-zero on any failure.
#
#   scripts/sysinfo-test.sh    (builds tabrinex first when it is missing)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$KELVARO_ROOT/scripts/session.sh"
SECONDS=0

kelvaro_install_packages xvfb dbus xdotool procps gnome-control-center kinfocenter hardinfo
echo "packages ready: ${SECONDS} s"
if [ -f "$KELVARO_BUILD/build.ninja" ]; then
  cmake --build "$KELVARO_BUILD" --target tabrinex
else
  kelvaro_build -DKELVARO_BUILD_TESTS=OFF
fi
program=$KELVARO_BUILD/shell/tabrinex

# How each release names the viewers: GNOME Settings 46 moved its About page
# into the System panel, and Debian 13's hardinfo is hardinfo2.
. /etc/os-release
case "${VERSION_ID:-}" in
  12) gnome_viewer="/usr/bin/gnome-control-center info-overview" general_viewer=/usr/bin/hardinfo ;;
  13) gnome_viewer="/usr/bin/gnome-control-center system about" general_viewer=/usr/bin/hardinfo2 ;;
  *) echo "no viewers known for release ${VERSION_ID:-unknown}"; exit 77 ;;
esac

session_start_display
session_start_bus
work=$session_work
# A system bus, as every desktop has one: GNOME Settings ends at once without.
# A bus of our own stands in for it, so that nothing of the machine's is asked.
read -r system_bus_address system_bus_pid < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
  paste -s -d ' ')
export DBUS_SYSTEM_BUS_ADDRESS=$system_bus_address
mkdir -p "$work/empty" "$work/home" "$work/config" "$work/data" "$work/cache"
# The viewers keep their settings here, not in the home of whoever runs the check.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
# tabrinex chooses its windowing platform itself, as on a desktop, and that
# choice must not reach the viewer.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION
export SDL_AUDIODRIVER=dummy
failures=0
tabrinex_pid=
viewer_pid=

check() {
  if [ "$2" = ok ]; then
    echo "ok   $1"
  else
    echo "FAIL $1: $2"
    failures=$((failures + 1))
  fi
}

# The viewer leads a process group of its own, which holds what it started.
# Its windows must be gone before the next desktop's turn looks for windows.
stop_viewer() {
  if [ -n "$viewer_pid" ]; then
    if [ "$(ps -o pgid= -p "$viewer_pid" | tr -d ' ')" = "$viewer_pid" ]; then
      session_end "-$viewer_pid"
    else
      session_end "$viewer_pid"
    fi
  fi
  viewer_pid=
}
stop_all() {
  stop_viewer
  [ -n "$tabrinex_pid" ] && { kill "$tabrinex_pid" 2>/dev/null || true; }
  # What our buses started for the viewers, then the system bus.
  local bus pid
  for bus in "$session_bus_pid" "$system_bus_pid"; do
    for pid in $(pgrep -P "$bus" || true); do kill "$pid" 2>/dev/null || true; done
  done
  kill "$system_bus_pid" 2>/dev/null || true
  session_stop_display
}
trap stop_all EXIT

visible_windows() { session_find_windows '' | sort || true; }

# Starts tabrinex with the environment given and opens its About box.
start_about() {
  env "$@" "$program" >"$work/tabrinex.log" 2>&1 &
  tabrinex_pid=$!
  session_open_about "$(session_launcher)"
}

# "System Info..." by its access key, in the focused About box.
press_system_info() {
  xdotool windowfocus --sync "$about"
  xdotool key alt+s
}

# The About box still answers: "License Agreement" opens the terms, and "OK"
# (by Esc, as "License Agreement" now holds the focus) closes the box.
about_usable() {
  session_click "$about" 2340 1935 2040 2160 1695 375  # Command1
  session_wait_window '^License$' 10 >/dev/null 2>&1 || { echo "License did not open"; return; }
  xdotool windowfocus --sync "$about"
  xdotool key Escape
  for _ in $(seq 50); do
    session_find_windows '^About Kelvaro #1$' >/dev/null || { echo ok; return; }
    sleep 0.1
  done
  echo "OK did not close the About box"
}

# Ends tabrinex by the launcher's "Exit to Windows" and checks that it ended.
exit_tabrinex() {
  local status=0
  session_exit
  for _ in $(seq 100); do
    kill -0 "$tabrinex_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$tabrinex_pid" 2>/dev/null; then
    check "$1: tabrinex ends by its launcher" "it did not end"
    return
  fi
  wait "$tabrinex_pid" || status=$?
  tabrinex_pid=
  check "$1: tabrinex ends by its launcher" "$([ "$status" -eq 0 ] && echo ok || echo "it ended with status $status")"
}

# One desktop: the viewer expected (program and arguments), the environment.
check_viewer() {
  local desktop=$1 expected=$2 before window="" parent
  shift 2
  start_about "$@"
  before=$(visible_windows)
  press_system_info
  for _ in $(seq 600); do
    window=$(comm -13 <(echo "$before") <(visible_windows) | while read -r id; do
      pid=$(xdotool getwindowpid "$id" 2>/dev/null) || continue
      [ "$pid" != "$tabrinex_pid" ] && { echo "$id $pid"; break; }
    done)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    check "$desktop: a viewer's window" "none came up within a minute"
    exit_tabrinex "$desktop"
    return
  fi
  viewer_pid=${window#* }
  check "$desktop: a viewer's window" ok
  local command_line
  command_line=$(tr '\0' ' ' <"/proc/$viewer_pid/cmdline" | sed 's/ $//')
  check "$desktop: the viewer is $expected" "$([ "$command_line" = "$expected" ] && echo ok || echo "$command_line")"
  parent=$(ps -o ppid= -p "$viewer_pid" | tr -d ' ')
  check "$desktop: the viewer is not tabrinex's child" "$([ "$parent" != "$tabrinex_pid" ] && echo ok || echo "its parent is tabrinex")"
  check "$desktop: the viewer leads a session of its own" \
    "$([ "$(ps -o sid= -p "$viewer_pid" | tr -d ' ')" = "$viewer_pid" ] && echo ok || echo "it is in another's")"
  check "$desktop: no windowing platform passed on" \
    "$(grep -qz '^QT_QPA_PLATFORM=' "/proc/$viewer_pid/environ" && echo "QT_QPA_PLATFORM reached the viewer" || echo ok)"
  check "$desktop: no zombie left" \
    "$([ -z "$(ps -o stat= --ppid "$tabrinex_pid" | grep Z)" ] && echo ok || echo "a child of tabrinex is a zombie")"
  check "$desktop: the About box stays open" \
    "$(session_find_windows '^About Kelvaro #1$' >/dev/null && echo ok || echo "it closed")"
  check "$desktop: the About box is usable" "$(about_usable)"
  exit_tabrinex "$desktop"
  check "$desktop: the viewer outlives tabrinex" "$(kill -0 "$viewer_pid" 2>/dev/null && echo ok || echo "it ended")"
  stop_viewer
}

check_viewer GNOME "$gnome_viewer" XDG_CURRENT_DESKTOP=GNOME
check_viewer KDE /usr/bin/kinfocenter XDG_CURRENT_DESKTOP=KDE
check_viewer neither "$general_viewer" XDG_CURRENT_DESKTOP=XFCE

# None installed: the viewers are there, but not in tabrinex's search path.
start_about PATH="$work/empty" XDG_CURRENT_DESKTOP=GNOME
press_system_info
check "none installed: the message" \
  "$(session_wait_window '^Kelvaro #1$' 10 >/dev/null 2>&1 && echo ok || echo "no message box")"
xdotool key Return
check "none installed: the About box is usable" "$(about_usable)"
exit_tabrinex "none installed"

echo "System information checks: $([ "$failures" -eq 0 ] && echo "all passed" || echo "$failures failed") in ${SECONDS} s"
[ "$failures" -eq 0 ]
