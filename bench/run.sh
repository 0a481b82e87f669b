#!/usr/bin/env bash
# Tasselday at rest against a minimal Qt Widgets window that refreshes one label every
# 999 ms, in the same run on the same Xvfb, libfaketime preloaded into both: the cost of one
# tick, start-up time to the mapped window and to its first frame drawn, CPU time and
# wake-ups over an idle stretch, and peak memory. Each figure is the median of ROUNDS runs
# taken in turn. Prints a Markdown table and the load average before and after (the timings
# mean little on a busy machine).
# Usage: bench/run.sh [build-dir] [idle-seconds] [rounds]
set -euo pipefail
build=${1:-build}
idle=${2:-30}
rounds=${3:-5}
here=$(dirname "$(realpath "$0")")
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
# Both inside the school year, so Tasselday shows its longest line.
fake=(env LD_PRELOAD=$faketime_lib FAKETIME=-7571d FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1)

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

tick_runs() { for _ in 1 2 3 4 5; do QT_QPA_PLATFORM=offscreen "${fake[@]}" "$@" 2>/dev/null; done; }
tick=$(tick_runs "$build/bench/bench_tick" 20000 | median)
base=$(tick_runs "$build/bench/minimal_window" --ticks 20000 | median)

tmp=$(mktemp -d)
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$tmp"' EXIT
for attempt in 1 2 3; do  # Xvfb now and then refuses its first client: start it anew
  : >"$tmp/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
  if [ -s "$tmp/display" ] && DISPLAY=":$(cat "$tmp/display")" xdpyinfo >/dev/null 2>&1; then
    break
  fi
  kill "$xvfb_pid" 2>/dev/null || true
done
export DISPLAY=":$(cat "$tmp/display")" QT_QPA_PLATFORM=xcb

for r in $(seq "$rounds"); do
  /usr/bin/python3 "$here/idle_cost.py" "$idle" "${fake[@]}" "$build/tasselday" >>"$tmp/tasselday"
  /usr/bin/python3 "$here/idle_cost.py" "$idle" "${fake[@]}" "$build/bench/minimal_window" >>"$tmp/minimal"
done

col() { awk -v c="$2" '{ print $c }' "$tmp/$1" | median; }
echo "| at rest, median of $rounds runs | Tasselday | minimal window | ratio | target |"
echo "|---|---|---|---|---|"
printf '| one tick (us) | %.2f | %.2f | %s | well under 50 us |\n' "$tick" "$base" "$(ratio "$tick" "$base")"
t=$(col tasselday 1); m=$(col minimal 1)
printf '| start-up to mapped window (ms) | %.1f | %.1f | %s | 1.15 |\n' "$t" "$m" "$(ratio "$t" "$m")"
t=$(col tasselday 5); m=$(col minimal 5)
printf '| start-up to first frame (ms) | %.1f | %.1f | %s | 1.15 |\n' "$t" "$m" "$(ratio "$t" "$m")"
t=$(col tasselday 2); m=$(col minimal 2)
printf '| CPU over %s s (ms, from ns) | %.3f | %.3f | %s | 1.15 |\n' "$idle" "$(ratio "$t" 1e6)" "$(ratio "$m" 1e6)" "$(ratio "$t" "$m")"
t=$(col tasselday 3); m=$(col minimal 3)
printf '| wake-ups over %s s | %d | %d | %s | 1.2 |\n' "$idle" "$t" "$m" "$(ratio "$t" "$m")"
t=$(col tasselday 4); m=$(col minimal 4)
printf '| peak memory (kB) | %d | %d | %s | 1.1 |\n' "$t" "$m" "$(ratio "$t" "$m")"
echo
echo "Load average before: $load_before; after: $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) cores)."
