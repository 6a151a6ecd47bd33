#!/usr/bin/env bash
# Plays the game's cues through the sound servers people run: PulseAudio, and
# PipeWire behind pipewire-pulse with wireplumber. Each server gets a null sink
# whose monitor is recorded; tests/sound/cue_match finds the cues in the
# recording by their samples. tabrinex runs on a private Xvfb display and is
# driven with xdotool, as a person would, with SDL left to pick its own driver.
#
#   scripts/sound-server-test.sh [pulseaudio|pipewire]...   (both by default)
#
# Every server, bus and display is this script's own, in its own runtime
# folder, and is stopped by the pid it got.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$KELVARO_ROOT/scripts/session.sh"
source "$KELVARO_ROOT/scripts/sound-servers.sh"
set +e

KINDS=("$@")
[ ${#KINDS[@]} -eq 0 ] && KINDS=(pulseaudio pipewire)

kelvaro_install_packages pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber dbus xvfb xdotool
cmake -S "$KELVARO_ROOT" -B "$KELVARO_BUILD" -G Ninja -DKELVARO_BUILD_TESTS=ON >/dev/null &&
  cmake --build "$KELVARO_BUILD" --target tabrinex cue_match || exit 1
PROGRAM=$KELVARO_BUILD/shell/tabrinex
MATCH=$KELVARO_BUILD/tests/sound/cue_match
SOUNDS=("$KELVARO_ROOT"/resources/sounds/cue{1,2,3,4,5}.wav)
RECORDINGS=$KELVARO_BUILD/sound-server-runs
rm -rf "$RECORDINGS"
mkdir -p "$RECORDINGS"

session_start_display || exit 1
work=$session_work
export LC_ALL=C.UTF-8 HOME=$work/home
mkdir -p "$HOME"

passed=0
failed=0
recorder_pid=
program_pid=

check() {
  local what=$1
  shift
  if "$@"; then
    echo "PASS: $what"
    passed=$((passed + 1))
  else
    echo "FAIL: $what"
    failed=$((failed + 1))
  fi
}

stop_pid() { [ -n "$1" ] && kill "$1" 2>/dev/null && wait "$1" 2>/dev/null; }
stop_all() {
  stop_pid "$program_pid"
  program_pid=
  stop_pid "$recorder_pid"
  local pid
  for pid in "${sound_server_pids[@]}"; do kill -CONT "$pid" 2>/dev/null; stop_pid "$pid"; done
  sound_bus_stop
}
trap 'stop_all; session_stop_display' EXIT

start_recording() {
  recording=$work/$kind-$1.raw
  parec -d kelvaro_sink.monitor --format=s16le --rate=22050 --channels=1 --latency-msec=20 >"$recording" &
  recorder_pid=$!
  sleep 0.5
}

# Every recording is kept in the build folder, to be listened to or matched
# again when a check fails.
stop_recording() {
  stop_pid "$recorder_pid"
  recorder_pid=
  "$MATCH" "$recording" "${SOUNDS[@]}" >"$recording.cues"
  cp "$recording" "$recording.cues" "$RECORDINGS/"
  sed "s/^/  $kind $1: cue /; s/\$/ (start s, heard s, correlation, delay s)/" "$recording.cues"
}

# The cues found, in order, as "2 1 4".
cues_heard() { awk '{ printf "%s%s", (NR > 1 ? " " : ""), $1 }' "$recording.cues"; }
heard_seconds() { awk -v n="$1" 'NR == n { print $3 }' "$recording.cues"; }
# Cue n stops short of its end, where cue n + 1 begins (within the 0.1 s steps
# that cue_match measures in). A stall on the way delays where it ends.
cut_by_next() {
  awk -v n="$1" 'NR == n { end = $2 + $3 + $5; cut = $3 < 3 } NR == n + 1 { gap = $2 - end }
    END { exit !(cut && gap > -0.2 && gap < 0.2) }' "$recording.cues"
}
at_least() { awk -v x="$1" -v y="$2" 'BEGIN { exit !(x != "" && x >= y) }'; }

start_program() {
  "$PROGRAM" 2>>"$work/program.err" &
  program_pid=$!
  menu=$(timeout 30 bash -c "source '$KELVARO_ROOT/scripts/session.sh'; session_launcher")
  [ -n "$menu" ]
}

open_game() {
  session_click "$menu" "${SESSION_MENU_CLIENT[@]}" 540 1620 2475 315  # MsyNum
  game=$(timeout 30 bash -c "source '$KELVARO_ROOT/scripts/session.sh'; session_wait_window '^Mystery Number'")
  sleep 0.5
}
click_start() { session_click "$game" 4470 2535 480 840 1695 375; }
click_cheat() { session_click "$game" 4470 2535 2880 1980 1335 255; }
click_quit() { session_click "$game" 4470 2535 7320 3720 1095 375; }
# No hidden number is 0, so the guess is wrong and only its own cue plays.
guess_zero() {
  session_click "$game" 4470 2535 3240 3300 735 375
  xdotool type 0
  xdotool key Return
}

# "Exit to Windows" ends the program within a few seconds.
program_exits() {
  session_exit
  local wait
  for ((wait = 0; wait < 50; ++wait)); do
    if ! kill -0 "$program_pid" 2>/dev/null; then
      wait "$program_pid"
      local status=$?
      program_pid=
      return "$status"
    fi
    sleep 0.1
  done
  return 1
}

# Stops or resumes every process of the private server (SIGSTOP, SIGCONT).
signal_server() {
  local pid
  for pid in "${sound_server_pids[@]}"; do kill -"$1" "$pid" 2>/dev/null; done
}

# "Exit to Windows" while the server is stopped and answers nothing: the
# program ends all the same, cleanly, and says how soon after the click.
exits_while_server_stopped() {
  local clicked wait status
  session_exit
  clicked=$(date +%s%N)
  for ((wait = 0; wait < 100; ++wait)); do
    if ! kill -0 "$program_pid" 2>/dev/null; then
      wait "$program_pid"
      status=$?
      program_pid=
      echo "  $kind $1: ended $((($(date +%s%N) - clicked) / 1000000)) ms after \"Exit to Windows\", status $status"
      return "$status"
    fi
    sleep 0.05
  done
  echo "  $kind $1: still running 5 s after \"Exit to Windows\""
  return 1
}

run_kind() {
  kind=$1
  echo "== $kind"
  sound_bus_start "$work/runtime-$kind" || { check "$kind: a session bus starts" false; return; }
  if ! sound_server_start "$kind" "$work/server.log"; then
    sound_server_kill
    if [ "$kind" = pipewire ]; then
      echo "SKIP: $kind does not start here ($(tail -n 1 "$work/server.log"))"
    else
      check "$kind: the server starts" false
    fi
    sound_bus_stop
    return
  fi

  # A round: Start, a guess, the cheat aids twice, then the game closed while
  # the last cue plays.
  start_recording cues
  start_program || { check "$kind: tabrinex starts" false; return; }
  open_game
  click_start
  sleep 1
  guess_zero
  sleep 1
  click_cheat
  sleep 1
  click_cheat
  sleep 0.5
  click_quit
  sleep 4
  stop_recording cues
  check "$kind: Start, a guess and \"Let Me Cheat!\" twice are heard, the right cues in order" \
    test "$(cues_heard)" = "2 1 4 4"
  check "$kind: each cue is cut by the next, which starts from its first sample" \
    eval 'cut_by_next 1 && cut_by_next 2 && cut_by_next 3'
  check "$kind: the last cue plays to its end after the game window has closed" at_least "$(heard_seconds 4)" 3.2

  # The server killed in the middle of a cue, then started again.
  open_game
  click_start
  sleep 0.7
  sound_server_kill
  sleep 0.5
  sound_server_start "$kind" "$work/server.log" || { check "$kind: the server starts again" false; return; }
  start_recording restarted
  sleep 1.2
  click_cheat
  sleep 1.5
  stop_recording restarted
  check "$kind: killed in the middle of a cue and restarted, the server plays the next cue" \
    test "$(cues_heard)" = "4"
  check "$kind: tabrinex ends at \"Exit to Windows\"" program_exits

  # No server at all: the cues are silent and the program goes on; then a
  # server starts, and the next cue is heard.
  sound_server_kill
  start_program || { check "$kind: tabrinex starts without a server" false; return; }
  open_game
  local before=$SECONDS
  click_start
  sleep 0.3
  click_cheat
  guess_zero
  click_cheat
  check "$kind: without a server every cue returns at once" test $((SECONDS - before)) -lt 10
  sound_server_start "$kind" "$work/server.log" || { check "$kind: the server starts after the program" false; return; }
  start_recording later
  sleep 1.2
  click_cheat
  sleep 1.5
  stop_recording later
  check "$kind: a server started after the program plays the next cue" test "$(cues_heard)" = "4"
  check "$kind: tabrinex ends at \"Exit to Windows\" after cues without a server" program_exits

  # The server stopped (SIGSTOP) in the middle of a cue, then before the first
  # cue: the program does not wait for it to answer.
  start_program || { check "$kind: tabrinex starts" false; return; }
  open_game
  click_start
  sleep 0.7
  signal_server STOP
  check "$kind: stopped in the middle of a cue, tabrinex ends at \"Exit to Windows\"" \
    exits_while_server_stopped "stopped mid-cue"
  signal_server CONT
  stop_pid "$program_pid"  # still there only when the check failed
  program_pid=
  start_program || { check "$kind: tabrinex starts" false; return; }
  open_game
  signal_server STOP
  click_start
  sleep 0.5
  check "$kind: stopped before the first cue, tabrinex ends at \"Exit to Windows\"" \
    exits_while_server_stopped "stopped before the first cue"
  signal_server CONT
  stop_pid "$program_pid"
  program_pid=

  sound_server_kill
  sound_bus_stop
}

SECONDS=0
for kind in "${KINDS[@]}"; do run_kind "$kind"; done
check "tabrinex printed nothing on stderr" test ! -s "$work/program.err"
[ -s "$work/program.err" ] && sed 's/^/  stderr: /' "$work/program.err" | head -n 20
echo "sound servers: ${SECONDS} s; the recordings are in $RECORDINGS"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
