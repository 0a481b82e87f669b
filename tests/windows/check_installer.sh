#!/usr/bin/env bash
# check_installer.sh BUILD VERSION OBJDUMP: the folder `make windows` lays out (BUILD/tasselday)
# runs on a bare Windows; the NSIS installer, run silently in a Wine prefix set up for the
# scenarios, installs it (kept for them as BUILD/wine/installed); the uninstaller leaves nothing.
set -euo pipefail
build=$(realpath "$1") version=$2 objdump=$3
here=$(cd "$(dirname "$0")" && pwd) installer=$build/tasselday-$version-win64.exe
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$build/tasselday"
# Windows' own libraries (in System32 of every Windows 10 and later) that Qt may import.
own=" api-ms-win-core-synch-l1-2-0 api-ms-win-core-winrt-l1-1-0 api-ms-win-core-winrt-string-l1-1-0
  advapi32 authz comdlg32 d3d11 d3d9 dwmapi dwrite dxgi gdi32 imm32 kernel32 msvcrt
  netapi32 ole32 oleaut32 setupapi shcore shell32 shlwapi user32 userenv uxtheme version winmm
  ws2_32 wtsapi32 mpr "
# Every import is looked for in the program's folder, plugins' imports too.
beside=" $(find . -maxdepth 1 -name '*.dll' -printf '%f ' | tr '[:upper:]' '[:lower:]')"
imported=" "
for f in $(find . -name '*.exe' -o -name '*.dll' | LC_ALL=C sort); do
  grep -q '\.debug_' <<<"$("$objdump" -h "$f")" && fail "$f is not stripped"
  for dll in $("$objdump" -p "$f" | awk '/DLL Name:/ { print tolower($3) }'); do
    imported="$imported$dll "
    [[ "$beside" == *" $dll "* || "$own" == *[[:space:]]"${dll%.dll}"[[:space:]]* ]] \
      || fail "$f imports $dll, which is neither beside it nor Windows' own"
  done
done
for dll in $beside; do
  [[ "$imported" == *" $dll "* ]] || fail "$dll is beside the program but nothing imports it"
done
grep -q 'Subsystem.*(Windows GUI)' <<<"$("$objdump" -p tasselday.exe)" || fail "not a GUI program"
# The resources Windows shows, as the compiler's own tools read them back: the icon (1), the
# product's name and the file version (1.0.21 is 1.0.0.21).
rc=$("${objdump%objdump}windres" -i tasselday.exe -O rc)
for want in "^1 14 " "^ FILEVERSION $(sed 's/\./, /; s/\./, 0, /' <<<"$version")\$" \
  'VALUE "ProductName", "Tasselday"'; do
  grep -q "$want" <<<"$rc" || fail "tasselday.exe's resources lack $want"
done
size=$(stat -c %s "$installer") || fail "no installer at $installer (make package-windows)"
[ "$size" -le $((12 * 1024 * 1024)) ] || fail "the installer is $size bytes, more than 12 MB"

eval "$("$here/wine.sh" "$build" --clone installer)"  # WINEPREFIX, WINE and Wine's settings
trap 'wineserver -k 2>/dev/null || true' EXIT
export DISPLAY=  # the silent installer and uninstaller open no window
reg() { "$WINE" reg "$@" /f >/dev/null; }
reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
# Wine's own system faces (Marlett, Tahoma), as every Windows has them; Liberation's stand in for
# the faces it is metric-compatible with (Microsoft Sans Serif's widths are Arial's), no others.
ln -s /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
for face in 'Arial|Liberation Sans' 'Courier New|Liberation Mono' \
  'Times New Roman|Liberation Serif' 'Microsoft Sans Serif|Liberation Sans'; do
  reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%|*}" /d "${face#*|}"
done
wineserver -w
# Every file and folder outside Windows' own and the temporary folders, and the Uninstall key.
listing() { (cd "$WINEPREFIX/drive_c" && find . \( -path ./windows -o -name Temp \) -prune \
  -o -print | LC_ALL=C sort; "$WINE" reg query \
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tasselday' 2>&1 || true); }
before=$(listing)

"$WINE" "$installer" /S
wineserver -w
dir="$WINEPREFIX/drive_c/Program Files/Tasselday"
diff -r -x Uninstall.exe "$build/tasselday" "$dir" >&2 && [ -f "$dir/Uninstall.exe" ] \
  || fail "the installed files are not the built folder's and Uninstall.exe"
links=$(find "$WINEPREFIX/drive_c" -path '*Menu/Programs/Tasselday/*' -printf '%f\n' | sort | xargs)
[ "$links" = "Tasselday.lnk Uninstall.lnk" ] || fail "Start menu entries: ${links:-none}"
[[ "$(listing)" == *DisplayName* ]] || fail "no entry under Apps & features (Uninstall key)"
wineserver -w
"$here/wine.sh" "$build" --clone installed installer >/dev/null  # for the scenarios
cp "$build/tests/windows/wintool.exe" "$build/wine/installed/drive_c/Program Files/Tasselday/"
"$WINE" "C:\\Program Files\\Tasselday\\Uninstall.exe" /S
wineserver -w  # the uninstaller runs again from a temporary copy, which ends last
[ "$(listing)" = "$before" ] || fail "left after uninstalling: $(diff <(echo "$before") <(listing))"
echo "installer ok: $(basename "$installer"), $((size / 1024)) KiB"
