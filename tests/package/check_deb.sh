#!/usr/bin/env bash
# check_deb.sh BUILD_DIR APP_ID VERSION: makes the Debian package with CPack, unpacks it into a
# scratch root and checks its fields, dependencies, files, menu entry, metainfo, icons and program.
set -euo pipefail
build=$1 id=$2 version=$3 scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { why=$1; shift; "$@" >"$scratch/log" 2>&1 || { cat "$scratch/log" >&2; fail "$why"; }; }
run "cpack did not make the package" cpack --config "$build/CPackConfig.cmake" -B "$scratch/out"
debs=("$scratch"/out/*.deb) root=$scratch/root
desktop=$root/usr/share/applications/$id.desktop metainfo=$root/usr/share/metainfo/$id.metainfo.xml
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
field() { dpkg-deb -f "${debs[0]}" "$1"; }
control="$(field Package) $(field Version) $(field Architecture)"
[ "$control" = "tasselday $version $(dpkg --print-architecture)" ] || fail "control: $control"
has_dep() { field Depends | tr ',' '\n' | awk '{ print $1 }' | grep -qxF "$1" \
  || fail "Depends lacks $1${2:-}: $(field Depends)"; }
has_dep fonts-liberation && has_dep fonts-dejavu-core
run "apt cannot install the package" apt-get install -s "${debs[0]}"  # a dry run
dpkg-deb -x "${debs[0]}" "$root"
expected=$(printf '%s\n' ./usr/bin/tasselday "./usr/share/applications/$id.desktop" \
  ./usr/share/icons/hicolor/{128x128,16x16,32x32,64x64}/apps/"$id.png" \
  "./usr/share/metainfo/$id.metainfo.xml")  # no tests, tools or build leftovers
actual=$(cd "$root" && find . -type f | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "files differ: $(diff <(echo "$expected") <(echo "$actual"))"
for name in $(objdump -p "$root/usr/bin/tasselday" | awk '$1 == "NEEDED" { print $2 }'); do
  at=$(ldd "$root/usr/bin/tasselday" | awk -v n="$name" '$1 == n { print $3 }')
  owner=$(for p in "$at" "/usr${at#/usr}" "${at#/usr}"; do dpkg -S "$p" 2>/dev/null && break; done)
  has_dep "${owner%%:*}" ", the owner of $name ($at)"
done
for s in 16 32 64 128; do  # the width and height in the PNG header
  dims=$(od -An -tu1 -j16 -N8 "$root/usr/share/icons/hicolor/${s}x$s/apps/$id.png" \
    | awk '{ print $3*256+$4 "x" $7*256+$8 }')
  [ "$dims" = "${s}x$s" ] || fail "$s icon is $dims"
done
exe=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")  # found on the PATH the package installs to
[ -x "$root/usr/bin/${exe#/usr/bin/}" ] && grep -qx "Icon=$id" "$desktop" \
  || fail "the menu entry's Exec ($exe) or Icon is not in the package"
grep -qF "<release version=\"$version\"" "$metainfo" || fail "metainfo lacks release $version"
run "desktop-file-validate rejects the entry" desktop-file-validate "$desktop"
run "appstreamcli rejects the metainfo" appstreamcli validate --no-net "$metainfo"
run "the unpacked program did not keep running until stopped" bash -c \
  'QT_QPA_PLATFORM=offscreen timeout 3 "$0"; [ $? -eq 124 ]' "$root/usr/bin/tasselday"
echo "package ok: $(basename "${debs[0]}")"
