#!/usr/bin/env bash
# Runs every fuzz target (fuzz/*Fuzz.cpp) for a bounded time each, and fails on a finding.
#
#   scripts/fuzz.sh [seconds per target, default 60] [target names, default all]
#
# Each target starts from a scratch corpus seeded with the sample-folder subfolders listed in
# fuzz/<Name>Fuzz.seeds ($PELORIN_TESTDATA, else ../shared/testdata; without the folder a target
# starts from nothing), plus the inputs of past findings kept in fuzz/found/<Name>/. A new
# finding is kept in build-sanitize/fuzz-findings/<Name>/; run the target on that file to see it
# again, and once it is fixed, add the file to fuzz/found/<Name>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
scripts/install-deps.sh sanitizers
scripts/configure-sanitize.sh
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*Fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
cmake --build build-sanitize "${targets[@]/#/--target=}"

data=${PELORIN_TESTDATA:-$PWD/../shared/testdata}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for name in "${targets[@]}"; do
  corpus="$scratch/$name"
  mkdir -p "$corpus"
  if [ -f "fuzz/$name.seeds" ] && [ -d "$data" ]; then
    while read -r folder; do
      [ -z "$folder" ] && continue
      # Flattened: the seed files keep a name each, their folders do not matter.
      find "$data/$folder" -type f -print0 | while IFS= read -r -d '' seed; do
        cp "$seed" "$corpus/$(echo "$seed" | md5sum | cut -c1-16)"
      done
    done < "fuzz/$name.seeds"
  else
    echo "fuzz.sh: no seeds for $name (no fuzz/$name.seeds or no sample folder at $data)" >&2
  fi
  # Inputs that once found a fault stay in the corpus.
  if [ -d "fuzz/found/$name" ]; then cp fuzz/found/"$name"/* "$corpus/"; fi
  findings="build-sanitize/fuzz-findings/$name"
  mkdir -p "$findings"
  echo "== $name: ${seconds} s from $(ls "$corpus" | wc -l) seeds"
  if ! "build-sanitize/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" 2>"$scratch/$name.log"; then
    tail -n 60 "$scratch/$name.log" >&2
    echo "fuzz.sh: $name found a problem; the input is in $findings/" >&2
    status=1
  else
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done' "$scratch/$name.log" || true
  fi
done
exit $status
