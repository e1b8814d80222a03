#!/usr/bin/env bash
# Runs every fuzz target for a bounded time (seconds, default 60), two at a time.
# New inputs go to a scratch corpus; crashes are written to build-sanitize/fuzz-
# crashes/ and make the script fail. Keep a crash input in fuzz/corpus/<target>/
# once it is fixed: CTest replays those corpora.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
targets=(fuzz_project_file fuzz_settings fuzz_trames fuzz_name_block fuzz_link fuzz_programs_csv)
out=build-sanitize/fuzz-crashes
mkdir -p "$out"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$PWD/tests/sanitizers/ubsan.supp"
export QT_QPA_PLATFORM=offscreen

run() {
  local target=$1 scratch
  scratch=$(mktemp -d)
  if build-sanitize/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$out/$target-" -print_final_stats=1 \
       "$scratch" "fuzz/corpus/$target" >"$out/$target.log" 2>&1; then
    echo "$target: ok ($(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$out/$target.log" \
          | grep -Eo '[0-9]+$' || echo '?') runs)"
  else
    echo "$target: FAILED, see $out/$target.log"
    tail -30 "$out/$target.log"
    rm -rf "$scratch"
    return 1
  fi
  rm -rf "$scratch"
}

status=0
pids=()
for target in "${targets[@]}"; do
  run "$target" &
  pids+=($!)
  if [ "${#pids[@]}" -ge 2 ]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
exit $status
