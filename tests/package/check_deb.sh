#!/usr/bin/env bash
# check_deb.sh BUILD_DIR APP_ID VERSION: makes the Debian package with CPack, unpacks it into a
# scratch root and checks the binary, the menu entry that starts it, the metainfo, the icons
# and the declared dependencies.
set -euo pipefail
build=$1 id=$2 version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
show() { cat "$scratch/$1" >&2; fail "$2"; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 \
  || show cpack.log "cpack did not make the package"
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]} root=$scratch/root bin=$scratch/root/usr/bin/tasselday
field() { dpkg-deb -f "$deb" "$1"; }
control="$(field Package) $(field Version) $(field Architecture)"
[ "$control" = "tasselday $version $(dpkg --print-architecture)" ] || fail "control: $control"
deps=$(field Depends | tr ',' '\n' | awk '{ print $1 }')  # names only, one a line
has_dep() { grep -qxF "$1" <<<"$deps" || fail "Depends lacks $1${2:-}: $(field Depends)"; }
has_dep fonts-liberation && has_dep fonts-dejavu-core
# apt would install it here: every dependency is known and met (a dry run changes nothing).
apt-get install -s "$deb" >"$scratch/apt.log" 2>&1 || show apt.log "apt cannot install the package"

dpkg-deb -x "$deb" "$root"
# Exactly these files: no tests, tools or build leftovers.
expected=$(printf '%s\n' ./usr/bin/tasselday "./usr/share/applications/$id.desktop" \
  $(for s in 128 16 32 64; do echo "./usr/share/icons/hicolor/${s}x$s/apps/$id.png"; done) \
  "./usr/share/metainfo/$id.metainfo.xml")
actual=$(cd "$root" && find . -type f | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "files differ: $(diff <(echo "$expected") <(echo "$actual"))"
[ -x "$bin" ] || fail "the binary is not executable"
# Every library the binary links comes from a package it depends on.
for name in $(objdump -p "$bin" | awk '$1 == "NEEDED" { print $2 }'); do
  path=$(ldd "$bin" | awk -v n="$name" '$1 == n && $2 == "=>" { print $3 }')
  [ -n "$path" ] || fail "$name is not found on this system"
  owner=$(dpkg -S "$path" 2>/dev/null || dpkg -S "/usr${path#/usr}" 2>/dev/null \
    || dpkg -S "${path#/usr}" 2>/dev/null) || fail "no package owns $path"
  has_dep "${owner%%:*}" ", which holds $name"
done
for s in 16 32 64 128; do  # the width and height in the PNG header
  dims=$(od -An -tu1 -j16 -N8 "$root/usr/share/icons/hicolor/${s}x$s/apps/$id.png" \
    | awk '{ print $3*256+$4 "x" $7*256+$8 }')
  [ "$dims" = "${s}x$s" ] || fail "$s icon is $dims"
done

desktop=$root/usr/share/applications/$id.desktop metainfo=$root/usr/share/metainfo/$id.metainfo.xml
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Type) $(key Icon)" = "Application $id" ] || fail "desktop entry: $(key Type) $(key Icon)"
exe=$(key Exec | awk '{ print $1 }')
[[ $exe = /* ]] || exe=/usr/bin/$exe  # else found on the PATH the package installs to
[ -x "$root$exe" ] || fail "Exec $exe is not in the package"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
else
  echo "note: desktop-file-validate is not installed (desktop-file-utils); skipped that check"
fi
for want in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "<release version=\"$version\""; do
  grep -qF "$want" "$metainfo" || fail "metainfo lacks $want"
done
appstreamcli validate --no-net "$metainfo" >"$scratch/as.log" 2>&1 \
  || show as.log "appstreamcli rejects the metainfo"

# The unpacked program starts and keeps running until it is stopped.
rc=0
QT_QPA_PLATFORM=offscreen timeout 3 "$bin" >"$scratch/run.log" 2>&1 || rc=$?
[ $rc -eq 124 ] || show run.log "the packaged program exited with $rc"
echo "package ok: $(basename "$deb")"
