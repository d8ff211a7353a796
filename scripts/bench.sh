#!/usr/bin/env bash
# Runs every benchmark of a bench build (its folder is $1) without a display; further arguments go to each
# benchmark (e.g. --benchmark_repetitions=5).
set -euo pipefail
build=${1:?usage: bench.sh <bench build folder> [benchmark options]}
shift
export QT_QPA_PLATFORM=offscreen
found=0
for program in "$build"/bench/bench_*; do
  [ -n "${ORVELLA_BENCH_ONLY:-}" ] && [[ "$(basename "$program")" != *"$ORVELLA_BENCH_ONLY"* ]] && continue
  [ -x "$program" ] && [ -f "$program" ] || continue
  found=1
  echo "== $(basename "$program")"
  "$program" --benchmark_counters_tabular=true "$@"
done

# Start-up is measured on a real display: under Xvfb when there is none.
if [ -x "$build/bench/startup_harness" ] && [[ "startup" == *"${ORVELLA_BENCH_ONLY:-startup}"* ]]; then
  found=1
  echo "== startup"
  (
    unset QT_QPA_PLATFORM
    if [ -z "${DISPLAY:-}" ]; then
      display=:$((90 + RANDOM % 100))
      Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
      xvfb=$!
      trap 'kill $xvfb' EXIT
      export DISPLAY=$display
      sleep 1
    fi
    "$build/bench/startup_harness" "$build/bin/orvella" "$build/bench/bare_window" "${ORVELLA_STARTUP_RUNS:-20}"
  )
fi
if [ "$found" -eq 0 ]; then
  echo "no benchmarks in $build/bench: configure with -DORVELLA_BENCH=ON" >&2
  exit 1
fi
