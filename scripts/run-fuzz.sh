#!/usr/bin/env bash
# Runs the libFuzzer targets of build-fuzz one after the other, SECONDS each,
# from their seeds and the corpus kept in build-fuzz/corpus. Stops at the
# first crash, hang or out-of-memory with the end of its log.
#   scripts/run-fuzz.sh SECONDS [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?seconds}
shift
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for f in build-fuzz/tests/fuzz/*_fuzz; do targets+=("$(basename "$f")"); done
fi
for name in "${targets[@]}"; do
  binary=build-fuzz/tests/fuzz/$name
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [[ -d tests/fuzz/seeds/$name ]] && seeds+=("tests/fuzz/seeds/$name")
  case $name in
    trackmessage_fuzz | trackfile_fuzz) seeds+=(tests/data/tracks) ;;
    planexport_fuzz) seeds+=(tests/fuzz/seeds/planfile_fuzz tests/data/tracks tests/data/plans) ;;
    fixsource_fuzz) seeds+=(data/sources) ;;
  esac
  log=build-fuzz/$name.log
  if ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      "$corpus" "${seeds[@]}" > "$log" 2>&1; then
    tail -n 60 "$log"
    echo "FUZZ FAILED: $name (log in $log)"
    exit 1
  fi
  runs=$(grep -oE '^stat::number_of_executed_units: [0-9]+' "$log" | grep -oE '[0-9]+$' || echo 0)
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -n 1 | grep -oE '[0-9]+' || echo 0)
  echo "$name: $seconds s, $runs runs, $cov edges, no crash"
done
