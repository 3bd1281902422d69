#!/usr/bin/env bash
# Measures the editor's own CPU time per pointer motion event of a pencil stroke, end to end
# (event delivery, the core, the view's conversion and paint), under Xvfb.
#
#   bench/motion/measure.sh [program] [moves]
#
# build/bench/pelorin_floor_window (cmake --build build --target pelorin_floor_window) is a bare
# Qt window that repaints the same small areas on every move and nothing else: measured the same
# way it shows what the toolkit and the X connection cost alone.
# It starts the program on a virtual screen, holds the left button over the canvas and moves the
# pointer `moves` times (default 300) from cell to cell, and reads the program's user and system
# time from /proc before and after. Needs xvfb-run's Xvfb and xdotool (apt-get install xvfb
# xdotool).
set -euo pipefail
program=${1:-build/pelorin}
moves=${2:-300}
display=:$((90 + RANDOM % 9))

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
"$program" >/dev/null 2>&1 &
app=$!
window=$(xdotool search --sync --onlyvisible --name 'Pelorin - ' | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
# The client area is 562 x 348 below the menu bar; the canvas stands at (12, 15) in it.
canvas_x=$((X + 12))
canvas_y=$((Y + HEIGHT - 348 + 15))

ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
hz=$(getconf CLK_TCK)

# Each move crosses into the next cell, along rows of the canvas.
args=()
for ((i = 0; i < moves; i++)); do
  cx=$((canvas_x + 5 + 10 * (i % 32)))
  cy=$((canvas_y + 5 + 10 * ((i / 32) % 32)))
  args+=(mousemove "$cx" "$cy" sleep 0.004)
done
xdotool mousemove $((canvas_x + 5)) $((canvas_y + 5))
sleep 0.5
before=$(ticks)
xdotool mousedown 1 "${args[@]}" mouseup 1
sleep 0.5
after=$(ticks)
awk -v t=$((after - before)) -v hz="$hz" -v n="$moves" \
  'BEGIN { printf "%d motion events: %.1f ms of program CPU, %.3f ms per event\n", n, 1000 * t / hz, 1000 * t / hz / n }'
