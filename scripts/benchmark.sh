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
#   scripts/benchmark.sh sound                          (only the event-loop stalls around cues)
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$KELVARO_ROOT/scripts/session.sh"

# bench/cue_probe against a private PulseAudio with a null sink; the server is
# killed before the probe's last phase.
sound_stalls() {
  local runtime server
  runtime=$(mktemp -d)
  printf 'load-module module-native-protocol-unix\nload-module module-null-sink sink_name=kelvaro_sink\n' >"$runtime/server.pa"
  (
    export XDG_RUNTIME_DIR=$runtime HOME=$runtime
    unset SDL_AUDIODRIVER
    pulseaudio -n -F "$runtime/server.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no >/dev/null 2>&1 &
    server=$!
    for ((try = 0; try < 50; ++try)); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    echo "Sound cues against PulseAudio (null sink):"
    "$KELVARO_BUILD/bench/cue_probe" "$server"
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  )
  rm -rf "$runtime"
}

if [ "${1:-}" = sound ]; then
  kelvaro_install_packages pulseaudio pulseaudio-utils
  cmake -S "$KELVARO_ROOT" -B "$KELVARO_BUILD" -G Ninja -DKELVARO_BUILD_BENCH=ON >/dev/null
  cmake --build "$KELVARO_BUILD" --target cue_probe
  sound_stalls
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
  sound_stalls
fi

if [ -x "$KELVARO_BUILD/bench/microbenchmarks" ]; then
  echo
  "$KELVARO_BUILD/bench/microbenchmarks" --benchmark_min_time=0.2
fi
