#!/usr/bin/env bash
# Cross-compiles the launcher and the Windows services it uses with mingw-w64, with the
# program's version resource, and runs their tests under Wine in a scratch prefix: Wine's
# real registry, real process start, and an X server of its own for the windows that open.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "${1:-build-windows}")
art=$(realpath "${2:-build/assets}")  # where the native build made the icon
mkdir -p "$out/generated"
cd "$src"

started=$(date +%s)
read -r major minor patch < <(sed -n \
  's/^project(Tasselday VERSION \([0-9]*\)\.\([0-9]*\)\.\([0-9]*\).*/\1 \2 \3/p' CMakeLists.txt)
fill() {
  sed -e "s/@PROJECT_VERSION_MAJOR@/$major/g" -e "s/@PROJECT_VERSION_MINOR@/$minor/g" \
      -e "s/@PROJECT_VERSION_PATCH@/$patch/g" -e "s/@PROJECT_VERSION@/$major.$minor.$patch/g" \
      "$1" > "$2"
}
fill ui/version.h.in "$out/generated/version.h"
fill windows/tasselday.rc.in "$out/generated/tasselday.rc"

python3 tests/windows/check_headers.py
x86_64-w64-mingw32-windres -I "$art" "$out/generated/tasselday.rc" -O coff -o "$out/tasselday.res.o"
x86_64-w64-mingw32-g++ -std=c++20 -O1 -Wall -Wextra -Werror -static -I "$src" -I "$out/generated" \
  tests/windows/test_wine.cpp tests/windows/system_names.cpp \
  about/launcher.cpp ui/registry_windows.cpp ui/windows_services.cpp "$out/tasselday.res.o" \
  -ladvapi32 -lshell32 -lversion -o "$out/test_wine.exe"
echo "cross-compiled in $(( $(date +%s) - started )) s"

export WINEPREFIX="$out/wineprefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb="" ; server_started=""
cleanup() {
  [ -n "$server_started" ] && wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

# An X server of its own: Wine's own system information tool and the message box open windows.
for attempt in 1 2 3; do
  rm -f "$out/display"
  Xvfb -displayfd 5 -nolisten tcp -screen 0 1024x768x24 5>"$out/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$out/display" ] && break; sleep 0.1; done
  [ -s "$out/display" ] && break
  kill "$xvfb" 2>/dev/null || true; xvfb=""
done
[ -n "$xvfb" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$out/display")"

# A fresh prefix for every run, so nothing of an earlier run is in its registry.
rm -rf "$WINEPREFIX"
server_started=1
wine wineboot --init >/dev/null 2>&1
echo "Wine prefix made in $(( $(date +%s) - started )) s"
wine "$out/test_wine.exe"
echo "make test-windows: $(( $(date +%s) - started )) s in all"
