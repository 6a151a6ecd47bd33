# A scripted session of tabrinex on an X display, driven with xdotool as a
# person would: clicks and keys. Sourced by the benchmark, the monkey and the
# test that watches the program under strace.
#
# Without a window manager every window stands where its design puts it, so
# controls are clicked at their designed places: twips copied from the
# *_design.h files, 15 twips to a pixel.

# Starts a private Xvfb display with a desktop session's runtime folder, both
# in a fresh folder, session_work, and takes them down when the script exits.
# Sets DISPLAY, QT_QPA_PLATFORM and XDG_RUNTIME_DIR. The screen is 1280x1024
# unless a size is given.
session_start_display() {
  local display_number
  session_work=$(mktemp -d)
  session_xvfb_pid=
  session_bus_pid=
  trap 'session_stop_display' EXIT
  # Xvfb names its display on a pipe once it accepts clients. Without
  # -noreset it starts afresh whenever its last client leaves, and refuses
  # the clients that come meanwhile: one xdotool call ending as tabrinex
  # starts was enough for "could not connect to display".
  mkfifo "$session_work/xvfb"
  exec 4<>"$session_work/xvfb"
  Xvfb -displayfd 4 -screen 0 "${1:-1280x1024}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
  session_xvfb_pid=$!
  read -r -t 30 -u 4 display_number || { echo "Xvfb did not start" >&2; return 1; }
  mkdir -m 700 "$session_work/runtime"
  export DISPLAY=":$display_number" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$session_work/runtime"
}

session_stop_display() {
  [ -n "$session_bus_pid" ] && { kill "$session_bus_pid" 2>/dev/null || true; }
  # Waited for, so that the next display can take its number at once.
  [ -n "$session_xvfb_pid" ] && { kill "$session_xvfb_pid" 2>/dev/null && wait "$session_xvfb_pid" 2>/dev/null || true; }
  rm -rf "$session_work"
}

# A session bus for the display, as a desktop session has one. Without it Qt
# starts one through dbus-launch, and that bus outlives the program. Sets
# DBUS_SESSION_BUS_ADDRESS; session_stop_display stops the bus.
session_start_bus() {
  { read -r DBUS_SESSION_BUS_ADDRESS; read -r session_bus_pid; } < \
    <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
  export DBUS_SESSION_BUS_ADDRESS
}

# Prints the ids of the mapped windows whose title matches the pattern; fails
# when there is none. xdotool gives up with BadWindow when a window closes while
# it walks the tree (another program's, going down), so such a search is made
# again rather than taken for "none".
session_find_windows() {
  local error
  for _ in 1 2 3 4 5; do
    { error=$(xdotool search --onlyvisible --name "$1" 2>&1 >&3 3>&-); } 3>&1 && return 0
    case $error in *"X Error"*) ;; *) return 1 ;; esac
  done
  return 1
}

# Waits until a window whose title matches the pattern is mapped, for at most
# the seconds given (30 unless told); prints its id.
session_wait_window() {
  local deadline=$((SECONDS + ${2:-30})) id
  while :; do
    id=$(session_find_windows "$1" | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    [ "$SECONDS" -ge "$deadline" ] && break
    sleep 0.1
  done
  echo "no window named $1 within ${2:-30} s" >&2
  return 1
}

# Clicks at a point in pixels. "mousemove --sync" to where the pointer already
# is waits some 15 s for a motion that never comes, so the pointer is only
# moved when it stands elsewhere (the same control clicked twice).
session_click_at() {
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  if [ "$X" = "$1" ] && [ "$Y" = "$2" ]; then
    xdotool click 1
  else
    xdotool mousemove --sync "$1" "$2" click 1
  fi
}

# Raises a window (other windows may stand over it) and clicks the middle of a
# control: client left and top, then the control's left, top, width, height.
session_click() {
  local window=$1 client_left=$2 client_top=$3 left=$4 top=$5 width=$6 height=$7
  xdotool windowraise "$window"
  session_click_at $(((client_left + left + width / 2) / 15)) $(((client_top + top + height / 2) / 15))
}

# The launcher's client area (menu_design.h kWindow).
session_launcher() { session_wait_window '^Menu Tool$'; }
SESSION_MENU_CLIENT=(6315 1770)

# From the launcher: every tool, a round of the game with three sound cues
# (start, a guess, the cheat aids), then the About box and its terms of use.
# Sets $about to the About box.
session_open_everything() {
  local menu game
  menu=$(session_launcher)
  session_click "$menu" "${SESSION_MENU_CLIENT[@]}" 540 1620 2475 315  # MsyNum
  game=$(session_wait_window '^Mystery Number\.\.\.\.\. by R\. Quillo$')
  # No person clicks before the game's timer has ticked once.
  sleep 0.5
  session_click "$game" 4470 2535 480 840 1695 375                     # Start
  session_click "$game" 4470 2535 3240 3300 735 375                    # Guess
  xdotool type --delay 20 50
  xdotool key Return
  session_click "$game" 4470 2535 2880 1980 1335 255                   # Cheat
  session_click "$menu" "${SESSION_MENU_CLIENT[@]}" 540 660 2475 315   # ResDecoder
  session_wait_window '^Resistor De-Coder ' >/dev/null
  session_click "$menu" "${SESSION_MENU_CLIENT[@]}" 540 1140 2475 315  # QWAnt
  session_wait_window '^Quarter Wave Antenna by R\. Quillo$' >/dev/null
  session_open_about "$menu"
  session_click "$about" 2340 1935 2040 2160 1695 375                  # Command1
  session_wait_window '^License$' >/dev/null
}

# The "About" item of a window's "Info" menu: the menu title stands at the
# left of the menu bar, just above the client area; "About" is the second
# item after the separator. Sets $about to the About box.
session_open_about() {
  xdotool windowraise "$1"
  session_click_at $((SESSION_MENU_CLIENT[0] / 15 + 15)) $((SESSION_MENU_CLIENT[1] / 15 - 10))
  sleep 0.3
  xdotool key Down Down Return
  about=$(session_wait_window '^About Kelvaro #1$')
  # Mapped is not yet drawn: give the box its first paint before clicking in it.
  sleep 0.5
}

# The About box's "System Info..." (cmdSysInfo), which starts the desktop's
# system-information viewer or, where there is none, shows a message box.
session_system_info() {
  session_click "$about" 2340 1935 4320 7080 1245 345                  # cmdSysInfo
}

# The launcher's "Exit to Windows" (Quit), which ends the program.
session_exit() {
  session_click "$(session_launcher)" "${SESSION_MENU_CLIENT[@]}" 1020 2520 1575 435
}
