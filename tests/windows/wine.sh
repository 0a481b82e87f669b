#!/usr/bin/env bash
# Wine for the Windows build's tests, in scratch prefixes under BUILD/wine/, never the user's.
#   wine.sh BUILD PROGRAM [ARGS...]    runs a test program (CTest's cross-compiling emulator)
#                                      in the prefix "units", finding the build's Qt and
#                                      runtime libraries, on an X server of its own
#   wine.sh BUILD --clone NAME [FROM]  makes prefix NAME afresh from FROM (default: the
#                                      template, booted once and never run in); prints, as
#                                      export lines, it and the settings every Wine here runs with
#   wine.sh BUILD --stop               ends the units prefix's Wine, and with it its X server
# A clone shares the template's system DLLs (hard links: Wine only reads them), copies the rest.
set -euo pipefail
build=$(realpath -m "$1")
shift
home=$build/wine
export WINE=$(command -v wine64 || echo /usr/lib/wine/wine64) TZ=${TZ:-UTC}
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$home"

clone() { # NAME [FROM]
  local to=$home/$1 from=$home/${2:-template}
  if [ -z "${2:-}" ]; then
    (
      flock 9
      if [ ! -f "$from/.ready" ]; then
        rm -rf "$from"
        WINEPREFIX=$from DISPLAY= "$WINE" wineboot --init >/dev/null 2>&1 9>&-
        WINEPREFIX=$from wineserver -w # its registry is on disk once its server has gone
        touch "$from/.ready"
      fi
    ) 9>"$home/template.lock"
  fi
  WINEPREFIX=$to wineserver -k 2>/dev/null || true
  rm -rf "$to"
  mkdir -p "$to"
  tar -C "$from" --exclude=./drive_c/windows/system32 -cf - . | tar -C "$to" -xf -
  cp -al "$from/drive_c/windows/system32" "$to/drive_c/windows/"
  local -x WINEPREFIX=$to
  export -p | grep -E '^declare -x WINE(|PREFIX|ARCH|DEBUG|DLLOVERRIDES)='
}

case "${1:-}" in
--clone) clone "$2" "${3:-}"; exit ;;
--stop) WINEPREFIX=$home/units wineserver -k 2>/dev/null || true; exit ;;
esac

# The units prefix, its X server and Wine's own services are started by the first test that
# needs them, detached, so that none holds a test's output open, and shared by the rest. A
# minute after the last test, Wine's server ends, and the X server with it.
export WINEPREFIX=$home/units
(
  flock 9
  [ -f "$WINEPREFIX/.ready" ] || { clone units >/dev/null && touch "$WINEPREFIX/.ready"; }
  if ! { xvfb=$(cat "$home/units.xvfb" 2>/dev/null) && kill -0 "$xvfb" 2>/dev/null; }; then
    for _ in 1 2 3; do # Xvfb now and then refuses to start
      rm -f "$home/units.display"
      setsid Xvfb -displayfd 5 -nolisten tcp -screen 0 1024x768x24 5>"$home/units.display" \
        </dev/null >/dev/null 2>&1 9>&- &
      echo $! >"$home/units.xvfb"
      for _ in $(seq 50); do [ -s "$home/units.display" ] && break; sleep 0.1; done
      [ -s "$home/units.display" ] && break
      kill "$(cat "$home/units.xvfb")" 2>/dev/null || true
    done
    export DISPLAY=":$(cat "$home/units.display")"
    setsid wineserver -p60 </dev/null >/dev/null 2>&1 9>&-
    setsid "$WINE" wineboot </dev/null >/dev/null 2>&1 9>&-
    setsid bash -c 'wineserver -w; flock "$1" rm -f "$2"; kill "$3"' _ "$home/units.lock" \
      "$home/units.xvfb" "$(cat "$home/units.xvfb")" </dev/null >/dev/null 2>&1 9>&- &
  fi
) 9>"$home/units.lock"
export DISPLAY=":$(cat "$home/units.display")"
dir="Z:${build//\//\\}"
export WINEPATH="$dir\\runtime;$dir\\testlibs" QT_PLUGIN_PATH="$dir\\runtime;$dir\\testlibs"
# The offscreen platform reads fonts from one folder: the faces that stand in for Windows' own.
mkdir -p "$home/fonts"
ln -sf /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf "$home/fonts/"
export QT_QPA_FONTDIR="$dir\\wine\\fonts"
# Wine keeps QT_* settings from Windows programs, passing them on only when named WINEQT_*.
# Qt's messages go to stderr, as from a console program on Windows.
export QT_FORCE_STDERR_LOGGING=1
for var in $(compgen -e | grep '^QT_'); do export "WINE$var=${!var}"; done
exec "$WINE" "$@"
