#!/usr/bin/env bash
# Wine for the Windows build's tests, in scratch prefixes under BUILD/wine/, never the user's.
#   wine.sh BUILD PROGRAM [ARGS...]    runs a test program (CTest's cross-compiling emulator)
#                                      in the prefix "units" (run.sh makes it and starts
#                                      its X server), finding the build's Qt and libraries
#   wine.sh BUILD --clone NAME [FROM]  makes prefix NAME afresh from FROM (default: the
#                                      template, booted once and never run in); prints, as
#                                      export lines, it and the settings every Wine here runs with
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
  if [ ! -f "$home/template/.ready" ]; then # booted by run.sh's clone, before any test
    rm -rf "$home/template"
    WINEPREFIX=$home/template DISPLAY= "$WINE" wineboot --init >/dev/null 2>&1
    WINEPREFIX=$home/template wineserver -w # its registry is on disk once its server has gone
    touch "$home/template/.ready"
  fi
  WINEPREFIX=$to wineserver -k 2>/dev/null || true
  rm -rf "$to"
  mkdir -p "$to"
  tar -C "$from" --exclude=./drive_c/windows/system32 -cf - . | tar -C "$to" -xf -
  cp -al "$from/drive_c/windows/system32" "$to/drive_c/windows/"
  local -x WINEPREFIX=$to
  export -p | grep -E '^declare -x WINE(|PREFIX|ARCH|DEBUG|DLLOVERRIDES)='
}

[ "${1:-}" != --clone ] || { clone "$2" "${3:-}"; exit; }

# The units prefix, which run.sh makes afresh, with Wine's server and services and an X server
# started before the tests.
export WINEPREFIX=$home/units DISPLAY=":$(cat "$home/units/display")"
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
