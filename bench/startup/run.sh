#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds what it measures, then prints the whole-process figures of compare.py: the companion's
# chart against the minimal Qt program, their instruction counts (when valgrind is installed)
# and the main window's start and memory on a private Xvfb display.
#   bench/startup/run.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
rounds=${2:-21}
nice -n 10 cmake --build "$build" -j2 --target astravia astravia-chart astravia-chart-pictures \
  astravia_minimal_qt astravia_minimal_core \
  astravia_window_probe >/dev/null

options=(--build "$build" --rounds "$rounds")
command -v valgrind >/dev/null && options+=(--callgrind)

display=:$((100 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 50); do
  DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
DISPLAY=$display python3 bench/startup/compare.py "${options[@]}" --window
