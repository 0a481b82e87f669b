#!/usr/bin/env bash
# Instructions (callgrind) that Tasselday and the minimal window run, on the same Xvfb with
# libfaketime preloaded into both: from the start of the process to its first window map
# request, in the main thread (where the wait for the window is: a helper thread runs beside it,
# and the dump at the map request holds only the thread that makes it), and over IDLE seconds
# at rest after that, all threads. Unlike timings, the counts repeat from run
# to run on a busy machine, so they show where a saving comes from. Prints a Markdown table;
# with KEEP=DIR the callgrind files stay in DIR for callgrind_annotate.
# Usage: bench/instructions.sh [build-dir] [idle-seconds]
set -euo pipefail
build=${1:-build}
idle=${2:-20}
out=${KEEP:-$(mktemp -d)}
mkdir -p "$out"
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; [ -z "${KEEP:-}" ] && rm -rf "$out"' EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$out/display")" QT_QPA_PLATFORM=xcb

# Ir of callgrind files (one a thread), summed.
total() { awk '/^(summary|totals):/ { s += $2; nextfile } END { print s }' "$@"; }

run() { # name program...
  local name=$1 pid rest
  shift
  env LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 FAKETIME=-7571d \
    FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 \
    valgrind --tool=callgrind --separate-threads=yes --callgrind-out-file="$out/$name.%p" \
    --dump-before=xcb_map_window "$@" >/dev/null 2>"$out/$name.log" &
  pid=$!
  for _ in $(seq 600); do [ -e "$out/$name.$pid.1-01" ] && break; sleep 0.1; done
  sleep 3 # mapped and painted
  callgrind_control -z "$pid" >/dev/null
  sleep "$idle"
  callgrind_control -d rest "$pid" >/dev/null
  # The last dump now is the one at rest; the process writes one more as it ends.
  rest=$(ls "$out/$name.$pid".*-01 | sort -V | tail -1)
  rest=${rest%-01}
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$(total "$out/$name.$pid.1-01") $(total "$rest"-*)"
}

read -r t_start t_rest < <(run tasselday "$build/tasselday")
read -r m_start m_rest < <(run minimal "$build/bench/minimal_window")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "| instructions (callgrind) | Tasselday | minimal window | ratio |"
echo "|---|---|---|---|"
echo "| start to the window's map request, main thread | $t_start | $m_start | $(ratio "$t_start" "$m_start") |"
echo "| at rest, a second ($idle s) | $((t_rest / idle)) | $((m_rest / idle)) | $(ratio "$t_rest" "$m_rest") |"
