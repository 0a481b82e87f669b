#!/usr/bin/env bash
# check_deb.sh BUILD_DIR APP_ID VERSION: the Debian package CPack makes, checked by Debian's tools
# and unpacked into a scratch root.
set -euo pipefail
build=$1 id=$2 version=$3 scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { why=$1; shift; "$@" >"$scratch/log" 2>&1 || { cat "$scratch/log" >&2; fail "$why"; }; }
run "cpack did not make the package" cpack --config "$build/CPackConfig.cmake" -B "$scratch/out"
deb=$(echo "$scratch"/out/*.deb) root=$scratch/root bin=$scratch/root/usr/bin/tasselday
desktop=$root/usr/share/applications/$id.desktop metainfo=$root/usr/share/metainfo/$id.metainfo.xml
[ -f "$deb" ] || fail "expected one .deb, found: $deb"
# Debian's own checks, pedantic ones included: no error or warning may remain.
run "lintian finds errors or warnings" lintian -EvIL +pedantic --fail-on error,warning "$deb"
control=$(dpkg-deb -W --showformat='${Package} ${Version} ${Architecture}' "$deb")
[ "$control" = "tasselday $version $(dpkg --print-architecture)" ] || fail "control: $control"
has_dep() { dpkg-deb -f "$deb" Depends | tr ',' '\n' | awk '{ print $1 }' | grep -qxF "$1" \
  || fail "Depends lacks $1${2:-}: $(dpkg-deb -f "$deb" Depends)"; }
has_dep fonts-liberation && has_dep fonts-dejavu-core
run "apt cannot install the package" apt-get install -s "$deb"  # a dry run
dpkg-deb -x "$deb" "$root"
expected=$(printf '%s\n' ./usr/bin/tasselday "./usr/share/applications/$id.desktop" \
  ./usr/share/doc/tasselday/{changelog.gz,copyright} \
  ./usr/share/icons/hicolor/{128x128,16x16,32x32,48x48,64x64}/apps/"$id.png" \
  "./usr/share/icons/hicolor/scalable/apps/$id.svg" ./usr/share/man/man1/tasselday.1.gz \
  "./usr/share/metainfo/$id.metainfo.xml")  # no tests, tools or build leftovers
actual=$(cd "$root" && find . -type f | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "files differ: $(diff <(echo "$expected") <(echo "$actual"))"
for name in $(objdump -p "$bin" | awk '$1 == "NEEDED" { print $2 }'); do
  at=$(ldd "$bin" | awk -v n="$name" '$1 == n { print $3 }')
  owner=$(for p in "$at" "/usr${at#/usr}" "${at#/usr}"; do dpkg -S "$p" 2>/dev/null && break; done)
  has_dep "${owner%%:*}" ", the owner of $name ($at)"
done
dims=$(cd "$root/usr/share/icons/hicolor" && identify -format '%wx%h ' {16,32,48,64,128}x*/apps/*)
[ "$dims" = "16x16 32x32 48x48 64x64 128x128 " ] || fail "the icons' sizes: $dims"
exe=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")  # found on the PATH the package installs to
[ -x "$root/usr/bin/${exe#/usr/bin/}" ] && grep -qx "Icon=$id" "$desktop" \
  || fail "the menu entry's Exec ($exe) or Icon is not in the package"
grep -qF "<release version=\"$version\"" "$metainfo" || fail "metainfo lacks release $version"
run "desktop-file-validate rejects the entry" desktop-file-validate "$desktop"
# Pedantic too; the id keeps its capital (see README), and AppStream before 1.0 does not know
# the developer tag that 1.0 asks for.
run "appstreamcli rejects the metainfo" appstreamcli validate --pedantic --no-net "$metainfo"
! grep -E '^[EWIP]: ' "$scratch/log" \
  | grep -vE 'cid-contains-uppercase-letter|unknown-tag developer' || fail "appstreamcli objects"
# --version and --help answer without a display, as the manual page says.
out=$(env -i QT_QPA_PLATFORM=xcb "$bin" --version) && [ "$out" = "Tasselday $version" ] \
  || fail "--version: $out"
MANWIDTH=200 man -l "$root/usr/share/man/man1/tasselday.1.gz" 2>/dev/null \
  | grep -A1 -- '--version' | grep -qF "Tasselday $version" || fail "man: --version not $version"
env -i QT_QPA_PLATFORM=xcb "$bin" --help >"$scratch/help" || fail "--help failed"
grep -q 'It takes no options of its own' "$scratch/help" && ! grep -q '^$' "$scratch/help" \
  && [ "$(grep -c '' "$scratch/help")" -le 5 ] || fail "--help: $(<"$scratch/help")"
run "the unpacked program, with an argument it ignores, did not keep running until stopped" \
  bash -c 'QT_QPA_PLATFORM=offscreen timeout 3 "$0" --unknown; [ $? -eq 124 ]' "$bin"
echo "package ok: $(basename "$deb")"
