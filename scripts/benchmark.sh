#!/usr/bin/env bash
# Measures tabrinex against a minimal Qt Widgets program built alongside it,
# under a private Xvfb display, in one interleaved run:
#   (a) the minimal program, (b) tabrinex up to the launcher, (c) tabrinex with
#   every window open after a few sound cues (scripts/session.sh drives it).
# For each launch: exec to first window mapped, peak RSS, and CPU over 10 s of
# idling; then medians, min-max and the ratio of each median to (a)'s, and the
# microbenchmarks.
#
#   scripts/benchmark.sh [LAUNCHES [IDLE_SECONDS]]     (7 launches, 10 s by default)
#   scripts/benchmark.sh sound                          (only the sound figures: cue latency, stalls)
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$KELVARO_ROOT/scripts/session.sh"
source "$KELVARO_ROOT/scripts/sound-servers.sh"

# The figures of sound against a private server of each kind, PulseAudio and
# PipeWire, with a null sink: how soon cues reach the server (bench/cue_latency
# records the monitor, tests/sound/cue_match finds the cues in it), then the
# event-loop stalls around cues (bench/cue_probe, which kills the server that
# the program talks to before its last phase).
sound_figures() {
  local kind work
  for kind in pulseaudio pipewire; do
    work=$(mktemp -d)
    (
      export HOME=$work
      sound_bus_start "$work/runtime" || exit
      if ! sound_server_start "$kind" "$work/server.log"; then
        echo "Sound cues against $kind: the server does not start here"
        sound_server_kill
        sound_bus_stop
        exit
      fi
      echo "Sound cues against $kind (null sink):"
      cue_latency "$work"
      "$KELVARO_BUILD/bench/cue_probe" "${sound_server_pids[-1]}"
      sound_server_kill
      sound_bus_stop
      # Without bash's word that the server it started was killed.
    ) 2>&1 | grep -v ' Killed '
    rm -rf "$work"
  done
}

# Request to the cue's first sample at the server, per phase, in ms; and the
# buffers of the program's stream, as the server reports them, for the floor.
cue_latency() {
  local work=$1
  local streams
  (sleep 5 && pactl list sink-inputs | grep -E '^\s*(Buffer|Sink) Latency' | sed 's/^[[:space:]]*/  stream while a cue plays: /') &
  streams=$!
  "$KELVARO_BUILD/bench/cue_latency" "$work/monitor.raw" >"$work/requests" || return
  wait "$streams"
  "$KELVARO_BUILD/tests/sound/cue_match" "$work/monitor.raw" "$KELVARO_ROOT"/resources/sounds/cue{1,2,3,4,5}.wav \
    >"$work/found"
  awk '
    FNR == NR { found[++n] = $1 " " $2; next }
    $1 == "clock" { spread = $2; next }
    {
      latency = "none"
      for (i = 1; i <= n; ++i) {
        split(found[i], f, " ")
        if (f[1] == $2 && f[2] > $3 - 0.005 && f[2] < $3 + 0.5) { latency = (f[2] - $3) * 1000; break }
      }
      phase = $4; count[phase]++; all[phase, count[phase]] = latency
    }
    END {
      print "  cue latency, request to its first sample at the server, ms:"
      for (p = 1; p <= 3; ++p) {
        phase = p == 1 ? "first" : p == 2 ? "open" : "reopen"
        m = 0; missed = 0
        for (i = 1; i <= count[phase]; ++i) {
          x = all[phase, i]
          if (x == "none") { ++missed; continue }
          for (j = ++m; j > 1 && v[j - 1] > x; --j) v[j] = v[j - 1]
          v[j] = x
        }
        line = m == 0 ? "not heard" : m == 1 ? sprintf("%.1f", v[1]) : \
          sprintf("median %.1f, %.1f-%.1f over %d cues", v[int((m + 1) / 2)], v[1], v[m], m)
        printf "    %-8s %s%s\n", phase, line, missed ? sprintf(", %d not heard", missed) : ""
      }
      printf "  (sample 0 of the recording placed within %.2f ms)\n", spread
    }' "$work/found" "$work/requests"
}

if [ "${1:-}" = sound ]; then
  kelvaro_install_packages pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber dbus
  cmake -S "$KELVARO_ROOT" -B "$KELVARO_BUILD" -G Ninja -DKELVARO_BUILD_BENCH=ON -DKELVARO_BUILD_TESTS=ON >/dev/null
  cmake --build "$KELVARO_BUILD" --target cue_probe cue_latency cue_match
  sound_figures
  exit
fi

LAUNCHES=${1:-7}
IDLE_SECONDS=${2:-10}
# Long enough for the sound device to be let go after the last cue (3 s).
SETTLE_SECONDS=4

kelvaro_install_packages
kelvaro_build -DKELVARO_BUILD_BENCH=ON
for program in bench/minimal_window bench/map_probe shell/tabrinex; do
  [ -x "$KELVARO_BUILD/$program" ] || { echo "missing $KELVARO_BUILD/$program" >&2; exit 1; }
done

session_start_display || exit 1
work=$session_work
export SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8

# CPU time of each of the program's threads in nanoseconds ("tid ns" lines),
# from the scheduler's own accounting, finer than the ticks of /proc/PID/stat.
thread_cpu() {
  local task
  for task in /proc/"$1"/task/*; do echo "${task##*/} $(cut -d' ' -f1 "$task/schedstat" 2>/dev/null)"; done
}
# What the threads used between two samples (a thread that ended in between
# is left out, one that started counts whole).
cpu_between() {
  awk 'NR == FNR { before[$1] = $2; next } { used += $2 - before[$1] } END { printf "%.0f\n", used }' "$1" "$2"
}
peak_rss_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

# One launch: prints "start_ms rss_kib cpu_percent".
measure() {
  local kind=$1 program report pid started rss
  case "$kind" in
    a) program=$KELVARO_BUILD/bench/minimal_window ;;
    b | c) program=$KELVARO_BUILD/shell/tabrinex ;;
  esac
  report="$work/mapped"
  rm -f "$report"
  mkfifo "$report"
  exec 5<>"$report"
  "$KELVARO_BUILD/bench/map_probe" "$report" "$program" &
  pid=$!
  read -r -t 60 -u 5 started || started=timeout
  exec 5<&-
  [ "$started" = timeout ] && { echo "no window from $program" >&2; kill "$pid"; exit 1; }
  [ "$kind" = c ] && session_open_everything
  sleep "$SETTLE_SECONDS"
  thread_cpu "$pid" >"$work/cpu_before"
  sleep "$IDLE_SECONDS"
  thread_cpu "$pid" >"$work/cpu_after"
  rss=$(peak_rss_kib "$pid")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  awk -v s="$started" -v r="$rss" -v ns="$(cpu_between "$work/cpu_before" "$work/cpu_after")" -v secs="$IDLE_SECONDS" \
    'BEGIN { printf "%s %s %.3f\n", s, r, 100 * ns / 1e9 / secs }'
}

# Interleaved, the order turning each round so no program always goes first.
kinds=(a b c)
for ((round = 0; round < LAUNCHES; ++round)); do
  for ((k = 0; k < ${#kinds[@]}; ++k)); do
    kind=${kinds[$(((round + k) % ${#kinds[@]}))]}
    echo "$kind $(measure "$kind")" >>"$work/results"
  done
  echo "round $((round + 1))/$LAUNCHES done" >&2
done

# "median min max" of one column of one program's launches.
stats() {
  awk -v kind="$1" -v column="$2" '$1 == kind { print $column }' "$work/results" | sort -g |
    awk '{ v[NR] = $1 } END { printf "%s %s %s\n", (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[1], v[NR] }'
}
ratio() { awk -v x="$1" -v y="$2" 'BEGIN { if (y > 0) printf "%.2fx", x / y; else printf "-" }'; }

echo "Kelvaro benchmark: $LAUNCHES launches of each, interleaved, under Xvfb, $(nproc) cores, idle ${IDLE_SECONDS} s"
printf "%-40s %-30s %-30s %-30s\n" "median [min-max] ratio to (a)" "exec to map (ms)" "peak RSS (MiB)" "CPU while idle (% of a core)"
read -r start_a _ < <(stats a 2)
read -r rss_a _ < <(stats a 3)
read -r cpu_a _ < <(stats a 4)
for kind in "${kinds[@]}"; do
  case "$kind" in
    a) name="(a) minimal Qt Widgets program" ;;
    b) name="(b) tabrinex, launcher" ;;
    c) name="(c) tabrinex, every window after cues" ;;
  esac
  read -r ms ms_low ms_high < <(stats "$kind" 2)
  read -r kib kib_low kib_high < <(stats "$kind" 3)
  read -r cpu cpu_low cpu_high < <(stats "$kind" 4)
  printf "%-40s %-30s %-30s %-30s\n" "$name" \
    "$(printf "%.1f [%.1f-%.1f] %s" "$ms" "$ms_low" "$ms_high" "$(ratio "$ms" "$start_a")")" \
    "$(printf "%.1f [%.1f-%.1f] %s" "$(echo "$kib" | awk '{ print $1 / 1024 }')" \
      "$(echo "$kib_low" | awk '{ print $1 / 1024 }')" "$(echo "$kib_high" | awk '{ print $1 / 1024 }')" \
      "$(ratio "$kib" "$rss_a")")" \
    "$(printf "%.3f [%.3f-%.3f] %s" "$cpu" "$cpu_low" "$cpu_high" "$(ratio "$cpu" "$cpu_a")")"
done

if command -v pulseaudio >/dev/null; then
  echo
  sound_figures
fi

if [ -x "$KELVARO_BUILD/bench/microbenchmarks" ]; then
  echo
  "$KELVARO_BUILD/bench/microbenchmarks" --benchmark_min_time=0.2
fi
