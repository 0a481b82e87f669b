#!/usr/bin/env bash
# Tasselday against a minimal Qt Widgets window: median tick cost, then peak memory and
# CPU time over an idle stretch. Prints each figure side by side with its ratio.
# Usage: bench/run.sh [build-dir] [idle-seconds]
set -euo pipefail
build=${1:-build}
idle=${2:-30}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

div() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

median_of() { # median of five runs of a command printing one number
  for _ in 1 2 3 4 5; do "$@" 2>/dev/null; done | sort -g | sed -n 3p
}

tick=$(median_of "$build/bench/bench_tick" 20000)
base=$(median_of "$build/bench/minimal_window" --ticks 20000)
printf 'tick (us, median)       tasselday %8.3f   minimal %8.3f   ratio %s\n' \
  "$tick" "$base" "$(div "$tick" "$base")"

idle_run() { # prints peak resident kB and CPU milliseconds after $idle seconds
  "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep "$idle"
  local hwm ticks hz
  hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  hz=$(getconf CLK_TCK)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "$hwm $(( ticks * 1000 / hz ))"
}

read -r tmem tcpu < <(idle_run "$build/tasselday")
read -r bmem bcpu < <(idle_run "$build/bench/minimal_window")
printf 'peak memory (kB)        tasselday %8d   minimal %8d   ratio %s\n' \
  "$tmem" "$bmem" "$(div "$tmem" "$bmem")"
printf 'CPU over %ss (ms)       tasselday %8d   minimal %8d   share of one core %s%%\n' \
  "$idle" "$tcpu" "$bcpu" "$(div "$tcpu" "$((idle * 10))")"
