#!/usr/bin/env bash
# Cross-compiles the launcher and the Windows services with mingw-w64, with the program's
# version resource, and runs their tests under Wine in a fresh scratch prefix, on an X
# server of its own for the windows that open (Wine's own tool, the message box).
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "${1:-build-windows}")
art=$(realpath "${2:-build/assets}")  # where the native build made the icon
mkdir -p "$out/generated"
cd "$src"
version=$(sed -n 's/^project(Tasselday VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
IFS=. read -r major minor patch <<<"$version"
for file in ui/version.h.in windows/tasselday.rc.in; do
  sed -e "s/@PROJECT_VERSION_MAJOR@/$major/g" -e "s/@PROJECT_VERSION_MINOR@/$minor/g" \
      -e "s/@PROJECT_VERSION_PATCH@/$patch/g" -e "s/@PROJECT_VERSION@/$version/g" \
      "$file" > "$out/generated/$(basename "$file" .in)"
done
python3 tests/windows/check_headers.py
x86_64-w64-mingw32-windres -I "$art" "$out/generated/tasselday.rc" -O coff -o "$out/tasselday.res.o"
x86_64-w64-mingw32-g++ -std=c++20 -O1 -Wall -Wextra -Werror -static -I "$src" -I "$out/generated" \
  tests/windows/test_wine.cpp about/launcher.cpp ui/registry_windows.cpp ui/windows_services.cpp \
  "$out/tasselday.res.o" -ladvapi32 -lshell32 -lversion -o "$out/test_wine.exe"

export WINEPREFIX="$out/wineprefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb=""
trap 'wineserver -k 2>/dev/null || true; [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true' EXIT
for attempt in 1 2 3; do  # Xvfb now and then refuses to start
  rm -f "$out/display"
  Xvfb -displayfd 5 -nolisten tcp -screen 0 1024x768x24 5>"$out/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$out/display" ] && break; sleep 0.1; done
  [ -s "$out/display" ] && break
  kill "$xvfb" 2>/dev/null || true; xvfb=""
done
[ -n "$xvfb" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$out/display")"
rm -rf "$WINEPREFIX"  # nothing of an earlier run in its registry
wine wineboot --init >/dev/null 2>&1
wine "$out/test_wine.exe"
