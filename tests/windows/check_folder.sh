#!/usr/bin/env bash
# check_folder.sh BUILD OBJDUMP: checks that BUILD/tasselday, the folder `make windows` lays out,
# runs on a Windows machine with nothing else installed: every DLL the program or a DLL beside
# it imports is beside it or Windows' own, each DLL beside it is used; a stripped GUI program
# with its icon and version.
set -euo pipefail
objdump=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$1/tasselday"
# Windows' own libraries (in System32 of every Windows 10 and later) that Qt may import.
own=" api-ms-win-core-synch-l1-2-0 api-ms-win-core-winrt-l1-1-0 api-ms-win-core-winrt-string-l1-1-0
  advapi32 authz comdlg32 d3d11 d3d9 dwmapi dwrite dxgi gdi32 imm32 kernel32 msvcrt
  netapi32 ole32 oleaut32 setupapi shcore shell32 shlwapi user32 userenv uxtheme version winmm
  ws2_32 wtsapi32 mpr "
own=" $(echo $own) "
lower() { tr '[:upper:]' '[:lower:]'; }
# Every import is looked for in the program's folder, plugins' imports too.
beside=" $(find . -maxdepth 1 -name '*.dll' -printf '%f ' | lower)"
imported=""
for f in $(find . -name '*.exe' -o -name '*.dll' | LC_ALL=C sort); do
  grep -q '\.debug_' <<<"$("$objdump" -h "$f")" && fail "$f is not stripped"
  for dll in $("$objdump" -p "$f" | awk '/DLL Name:/ { print $3 }' | lower); do
    imported="$imported ${dll%.dll}"
    [[ "$beside" == *" $dll "* || "$own" == *" ${dll%.dll} "* ]] \
      || fail "$f imports $dll, which is neither beside it nor Windows' own"
  done
done
for dll in $beside; do
  [[ " $imported " == *" ${dll%.dll} "* ]] || fail "$dll is beside the program but nothing imports it"
done
grep -q 'Subsystem.*(Windows GUI)' <<<"$("$objdump" -p tasselday.exe)" || fail "not a GUI program"
# The resources Windows shows, as the compiler's own tools read them back: the icon (1), the
# product's name and the file version (1.0.21 is 1.0.0.21).
version=$(sed -n 's/^project(Tasselday VERSION \([0-9]*\)\.\([0-9]*\)\.\([0-9]*\).*/\1, \2, 0, \3/p' \
  "$(dirname "$0")/../../CMakeLists.txt")
rc=$("${objdump%objdump}windres" -i tasselday.exe -O rc)
for want in "^1 14 " "^ FILEVERSION $version\$" 'VALUE "ProductName", "Tasselday"'; do
  grep -q "$want" <<<"$rc" || fail "tasselday.exe's resources lack $want"
done
echo "folder ok: $(find . -type f | wc -l) files, $(du -sk . | cut -f1) KiB"
