#!/usr/bin/env bash
# Keeps a few of the inputs a long fuzz run found: the corpus of each target
# is minimised (libFuzzer's -merge) and up to KEEP of the merged inputs of at
# most 4 KB join tests/fuzz/seeds/TARGET, so later runs start from them.
#   scripts/keep-fuzz-seeds.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
keep=${KEEP:-40}
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for d in build-fuzz/corpus/*_fuzz; do targets+=("$(basename "$d")"); done
fi
for name in "${targets[@]}"; do
  merged=$(mktemp -d)
  seeds=tests/fuzz/seeds/$name
  mkdir -p "$seeds"
  "build-fuzz/tests/fuzz/$name" -merge=1 "$merged" "build-fuzz/corpus/$name" > /dev/null 2>&1 || true
  { find "$merged" -type f -size -4k | sort | head -n "$keep" || true; } | while read -r f; do cp "$f" "$seeds/"; done
  echo "$name: $(ls "$seeds" | wc -l) seeds"
  rm -rf "$merged"
done
