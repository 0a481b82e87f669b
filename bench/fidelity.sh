#!/usr/bin/env bash
# Timer fidelity of the real program on its own Xvfb: how soon after each wall-clock
# second the countdown line changes, and whether any second is skipped or shown twice.
# The program runs under libfaketime shifted by whole seconds (so the sub-second phase is
# the wall clock's) to a moment SECONDS before the ceremony; the last column is the lag
# of the hand-over after the ceremony second. The line's changes are timed from its pixels
# on the X server (bench/fidelity_watch.py).
# Usage: bench/fidelity.sh [build-dir] [seconds] [--load]
#   --load keeps both cores busy with two busy loops for the whole run.
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
load=${3:-}
bin=$(realpath "$build/tasselday")
here=$(dirname "$(realpath "$0")")
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1

cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$tmp"; }
trap cleanup EXIT

tmp=""
pids=()
if [ "$load" = "--load" ]; then
  for _ in 1 2; do (while :; do :; done) & pids+=($!); done
fi

tmp=$(mktemp -d)
for attempt in 1 2 3; do  # Xvfb now and then refuses its first client: start it anew
  : >"$tmp/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
  display=$(cat "$tmp/display")
  if [ -n "$display" ] && DISPLAY=":$display" xdpyinfo >/dev/null 2>&1; then
    pids+=("$xvfb_pid"); break
  fi
  kill "$xvfb_pid" 2>/dev/null || true
done
export DISPLAY=":$display"

# The ceremony on the program's clock, local time; the program starts `seconds` before it.
ceremony=$(date -d '2006-06-04 18:00:00' +%s)
start=$(( $(date +%s) + 3 ))
offset=$(( start + seconds - ceremony ))


label="$( [ "$load" = "--load" ] && echo "both cores busy" || echo idle ), ${seconds} s"
dbus-run-session -- bash -c '
  set -e
  env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LD_PRELOAD='"$faketime_lib"' \
      FAKETIME="-'"$offset"'" FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 \
      '"$bin"' >/dev/null 2>&1 &
  app=$!
  /usr/bin/python3 '"$here"'/fidelity_watch.py '"$((seconds + 6))"' '"$offset"' '"$ceremony"' "'"$label"'" "$app"
  kill $app 2>/dev/null || true
'
