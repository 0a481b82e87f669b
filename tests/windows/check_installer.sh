#!/usr/bin/env bash
# check_installer.sh BUILD VERSION: runs the NSIS installer silently under Wine in a scratch
# prefix set up as the end-to-end scenarios want it (Wine's virtual desktop; metric-compatible
# faces registered under Windows' font names), checks what it installed, keeps that prefix as
# BUILD/wine/installed for the scenarios, then uninstalls and checks that nothing is left.
set -euo pipefail
build=$(realpath "$1") version=$2
here=$(cd "$(dirname "$0")" && pwd)
installer=$build/tasselday-$version-win64.exe
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$installer" ] || fail "no installer at $installer (make package-windows)"
size=$(stat -c %s "$installer")
[ "$size" -le $((12 * 1024 * 1024)) ] || fail "the installer is $size bytes, more than 12 MB"

setup=$("$here/wine.sh" "$build" --clone installer)
eval "$setup"  # WINEPREFIX, WINE and Wine's settings
trap 'wineserver -k 2>/dev/null || true' EXIT
export DISPLAY=  # the silent installer and uninstaller open no window
reg() { "$WINE" reg "$@" /f >/dev/null; }
reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
# Wine's own system faces (Marlett draws the title bars' buttons, Tahoma the dialogs), as every
# Windows has them; Liberation is metric-compatible with Arial, Courier New and Times New Roman,
# and Microsoft Sans Serif's widths are Arial's. Faces no Windows ships by default stay missing.
ln -s /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
for face in 'Arial|Liberation Sans' 'Courier New|Liberation Mono' \
  'Times New Roman|Liberation Serif' 'Microsoft Sans Serif|Liberation Sans'; do
  reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%|*}" /d "${face#*|}"
done
wineserver -w
# Every file and folder outside Windows' own and the temporary folders.
listing() { (cd "$WINEPREFIX/drive_c" && find . \( -path ./windows -o -name Temp \) -prune \
  -o -print | LC_ALL=C sort); }
registered() { "$WINE" reg query \
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tasselday' >/dev/null 2>&1; }
before=$(listing)

"$WINE" "$installer" /S
wineserver -w
dir="$WINEPREFIX/drive_c/Program Files/Tasselday"
expected=$( (cd "$build/tasselday" && find . -type f; echo ./Uninstall.exe) | LC_ALL=C sort)
actual=$(cd "$dir" && find . -type f | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "installed files differ: $(diff <(echo "$expected") <(echo "$actual"))"
for f in $(cd "$build/tasselday" && find . -type f); do
  cmp -s "$build/tasselday/$f" "$dir/$f" || fail "$f differs from the built folder"
done
links=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Tasselday/*.lnk' | sort)
grep -q '/Tasselday\.lnk$' <<<"$links" && grep -q '/Uninstall\.lnk$' <<<"$links" \
  || fail "Start menu entries: ${links:-none}"
registered || fail "no entry under Apps & features (Uninstall key)"

wineserver -w
"$here/wine.sh" "$build" --clone installed installer >/dev/null

"$WINE" "C:\\Program Files\\Tasselday\\Uninstall.exe" /S
wineserver -w  # the uninstaller runs again from a temporary copy, which ends last
after=$(listing)
[ "$after" = "$before" ] || fail "left after uninstalling: $(diff <(echo "$before") <(echo "$after"))"
! registered || fail "the Uninstall key is left"
echo "installer ok: $(basename "$installer"), $((size / 1024)) KiB, $(wc -l <<<"$expected") files"
