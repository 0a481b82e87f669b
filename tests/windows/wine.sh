#!/usr/bin/env bash
# Wine for the Windows build's tests, in scratch prefixes under BUILD/wine/, never the user's.
#   wine.sh BUILD PROGRAM [ARGS...]    CTest's emulator: runs a test program in the prefix
#                                      "units", which run.sh makes and starts
#   wine.sh BUILD --clone NAME [FROM]  makes prefix NAME afresh from FROM (default: a template
#                                      booted once); prints it and Wine's settings to export
set -euo pipefail
build=$(realpath -m "$1")
shift
home=$build/wine
export WINE=$(command -v wine64 || echo /usr/lib/wine/wine64) TZ=${TZ:-UTC}
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ "${1:-}" = --clone ]; then
  to=$home/$2 from=$home/${3:-template}
  if [ ! -f "$home/template/.ready" ]; then # booted by run.sh's clone, before any test
    rm -rf "$home/template" && mkdir -p "$home/template"
    WINEPREFIX=$home/template DISPLAY= "$WINE" wineboot --init >/dev/null 2>&1
    WINEPREFIX=$home/template wineserver -w # its registry is on disk once its server has gone
    touch "$home/template/.ready"
  fi
  WINEPREFIX=$to wineserver -k 2>/dev/null || true
  rm -rf "$to" && mkdir -p "$to"
  # The clone shares the system DLLs (hard links: Wine only reads them) and copies the rest.
  tar -C "$from" --exclude=./drive_c/windows/system32 -cf - . | tar -C "$to" -xf -
  cp -al "$from/drive_c/windows/system32" "$to/drive_c/windows/"
  export WINEPREFIX=$to
  export -p | grep -E '^declare -x WINE(|PREFIX|ARCH|DEBUG|DLLOVERRIDES)='
  exit
fi
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
