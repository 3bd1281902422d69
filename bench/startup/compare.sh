#!/usr/bin/env bash
# Start-up time of the editor against a bare Qt window, side by side under one Xvfb server:
# both start, map, paint their first frame and quit (the editor through PELORIN_QUIT_WHEN_PAINTED).
# Target: the editor within 1.5 times the bare window. Needs xvfb (apt-get install xvfb).
#   bench/startup/compare.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-30}
export HOME=$(mktemp -d)  # registration writes here, not into the real home
Xvfb :97 -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb; rm -rf "$HOME"' EXIT
sleep 1
export DISPLAY=:97
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
time_runs() {
  for _ in $(seq "$runs"); do
    s=$(date +%s%N); "$@" >/dev/null 2>&1; e=$(date +%s%N)
    echo $(( (e - s) / 1000 ))
  done | median
}
"build/bench/pelorin_bare_window" >/dev/null 2>&1 || true  # warm the caches
bare=$(time_runs build/bench/pelorin_bare_window)
editor=$(PELORIN_QUIT_WHEN_PAINTED=1 time_runs build/pelorin)
echo "bare Qt window: ${bare} us (median of $runs)"
echo "Pelorin:        ${editor} us (median of $runs)"
awk -v a="$editor" -v b="$bare" 'BEGIN { printf "ratio: %.2f (target <= 1.50)\n", a / b }'
