#!/usr/bin/env bash
# Runs every fuzz target of the sanitizer build for MINUTES, all at once and
# at the lowest priority, then keeps what they found: inputs that reach new
# code are merged, minimised, into the corpus committed beside each target,
# and every crasher is copied there as it is, to stay a regression input.
#   scripts/fuzz.sh MINUTES [SEED]
# MINUTES 0 runs nothing and only keeps what the CTest runs of the fuzz
# targets left in the build tree. SEED repeats a run; by default it is new.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

minutes=${1:?usage: scripts/fuzz.sh MINUTES [SEED]}
seed=${2:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
build=${KELVARO_FUZZ_BUILD:-$KELVARO_ROOT/build-sanitize}

# name, folder of the target in the sources, committed corpus
targets=(
  "numbers_fuzz tests/core numbers_corpus"
  "game_events_fuzz tests/reliability game_events_corpus"
  "wave_reader_fuzz tests/reliability wave_reader_corpus"
  "get_key_value_fuzz tests/reliability get_key_value_corpus"
)

kelvaro_install_packages clang
if [ ! -f "$build/CMakeCache.txt" ]; then
  CXX=clang++ cmake -S "$KELVARO_ROOT" -B "$build" -G Ninja -DKELVARO_SANITIZE=ON -DKELVARO_BUILD_BENCH=OFF >/dev/null
fi
names=()
for entry in "${targets[@]}"; do names+=("${entry%% *}"); done
cmake --build "$build" --target "${names[@]}" >/dev/null

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

if [ "$minutes" -gt 0 ]; then
  echo "fuzzing for $minutes min, seed $seed (scripts/fuzz.sh $minutes $seed repeats it)"
  pids=()
  for entry in "${targets[@]}"; do
    read -r name folder corpus <<<"$entry"
    # The folder CTest's runs write to: what either finds is kept below.
    found=$build/$folder/${name}_found crashers=$build/$folder/${name}_crashers
    mkdir -p "$found" "$crashers"
    # A crasher can stop a run early; the run goes on from the next seed
    # until its time is up, so one finding does not end the search.
    (
      end=$((SECONDS + minutes * 60)) run_seed=$seed
      while [ $SECONDS -lt $end ]; do
        start=$SECONDS
        nice -n 19 "$build/$folder/$name" -seed="$run_seed" -max_total_time=$((end - SECONDS)) \
          -print_final_stats=1 -artifact_prefix="$crashers/" "$found" "$KELVARO_ROOT/$folder/$corpus" || true
        # A committed crasher stops every run at once: no point going on.
        [ $((SECONDS - start)) -ge 5 ] || break
        run_seed=$((run_seed + 1))
      done
    ) >"$logs/$name.log" 2>&1 &
    pids+=($!)
  done
  wait "${pids[@]}"
fi

failed=0
for entry in "${targets[@]}"; do
  read -r name folder corpus <<<"$entry"
  found=$build/$folder/${name}_found
  committed=$KELVARO_ROOT/$folder/$corpus
  [ -d "$found" ] || continue
  before=$(find "$committed" -type f | wc -l)
  kept=()
  # A slow unit is only a busy machine; a crash, leak, timeout or blown memory is a finding.
  rm -f "$build/$folder/${name}_crashers"/slow-unit-*
  for artifact in "$build/$folder/${name}_crashers"/*; do
    [ -f "$artifact" ] || continue
    mv "$artifact" "$committed/"
    kept+=("$(basename "$artifact")")
  done
  nice -n 19 "$build/$folder/$name" -merge=1 "$committed" "$found" >"$logs/$name.merge" 2>&1 || true
  after=$(find "$committed" -type f | wc -l)
  if [ -f "$logs/$name.log" ]; then
    runs=$(grep -h 'stat::number_of_executed_units' "$logs/$name.log" | awk '{ n += $2 } END { print n + 0 }')
    coverage=$(grep -ho 'cov: [0-9]*' "$logs/$name.log" | awk '{ if ($2 > c) c = $2 } END { print c + 0 }')
    features=$(grep -ho 'ft: [0-9]*' "$logs/$name.log" | awk '{ if ($2 > f) f = $2 } END { print f + 0 }')
    printf '%-20s %12s runs, cov %s, ft %s, ' "$name" "$runs" "$coverage" "$features"
  else
    printf '%-20s ' "$name"
  fi
  printf 'corpus %d -> %d, crashers: %s\n' "$before" "$after" "${kept[*]:-none}"
  [ ${#kept[@]} -eq 0 ] || failed=1
done
[ $failed -eq 0 ] || { echo "crashers kept beside their targets: fix them, then commit them"; exit 1; }
