#!/usr/bin/env bash
# run.sh BUILD: CTest in BUILD (made by make package-windows): the unit suite and the launcher
# under Wine, the folder and installer, the installed program's scenarios.
set -euo pipefail
build=$(realpath "$1")
# A fresh prefix for the unit suite (the launcher's test writes to its registry) on an X server
# of its own, its Wine server and services started here, detached, holding no test's output open.
eval "$("$(dirname "$(realpath "$0")")/wine.sh" "$build" --clone units)"
for _ in 1 2 3; do # Xvfb now and then refuses to start
  Xvfb -displayfd 5 -nolisten tcp -screen 0 1024x768x24 5>"$WINEPREFIX/display" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$WINEPREFIX/display" ] && break 2; sleep 0.1; done
  kill $xvfb 2>/dev/null || true
done
trap 'wineserver -k 2>/dev/null || true; kill $xvfb' EXIT
DISPLAY=":$(cat "$WINEPREFIX/display")" setsid wineserver -p </dev/null >/dev/null 2>&1
DISPLAY=":$(cat "$WINEPREFIX/display")" setsid "$WINE" wineboot </dev/null >/dev/null 2>&1
(cd "$build" && ctest --output-on-failure -j "${JOBS:-2}")
echo "Windows tests passed in $SECONDS s"
