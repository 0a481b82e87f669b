#!/usr/bin/env bash
# check_deb.sh BUILD_DIR APP_ID VERSION: makes the Debian package with CPack, unpacks it into
# a scratch root and checks its files and metadata: the binary, the menu entry that starts it,
# the metainfo, the icons and the declared dependencies.
set -euo pipefail
build=$1 id=$2 version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 \
  || { cat "$scratch/cpack.log" >&2; fail "cpack did not make the package"; }
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tasselday ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
depends=$(field Depends)
# The package names in Depends, one a line, without versions.
dep_names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
has_dep() { grep -qxF "$1" <<<"$dep_names"; }
for dep in fonts-liberation fonts-dejavu-core; do
  has_dep "$dep" || fail "Depends lacks $dep: $depends"
done

# apt would install it here: every dependency is known and met (a dry run changes nothing).
apt-get install -s "$deb" >"$scratch/apt.log" 2>&1 \
  || { cat "$scratch/apt.log" >&2; fail "apt cannot install the package"; }

root=$scratch/root
dpkg-deb -x "$deb" "$root"
# Exactly these files, nothing else (no tests, tools or build leftovers).
expected="./usr/bin/tasselday
./usr/share/applications/$id.desktop"
for size in 128 16 32 64; do
  expected+="
./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
done
expected+="
./usr/share/metainfo/$id.metainfo.xml"
actual=$(cd "$root" && find . -type f | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "package files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"

[ -x "$root/usr/bin/tasselday" ] || fail "the binary is not executable"
# Every library the binary links comes from a package it depends on.
libs=$(ldd "$root/usr/bin/tasselday")
for name in $(objdump -p "$root/usr/bin/tasselday" | awk '$1 == "NEEDED" { print $2 }'); do
  path=$(awk -v n="$name" '$1 == n && $2 == "=>" { print $3 }' <<<"$libs")
  [ -n "$path" ] || fail "$name is not found on this system"
  owner=$(dpkg -S "$path" 2>/dev/null || dpkg -S "/usr${path#/usr}" 2>/dev/null || dpkg -S "${path#/usr}" 2>/dev/null) \
    || fail "no package owns $path"
  owner=${owner%%:*}
  has_dep "$owner" || fail "Depends lacks $owner, which holds $name"
done
for size in 16 32 64 128; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
  # The width and height in the PNG header.
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $3*256+$4 "x" $7*256+$8 }')
  [ "$dims" = "${size}x${size}" ] || fail "$size icon is $dims"
done

desktop=$root/usr/share/applications/$id.desktop
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Type)" = Application ] || fail "desktop entry Type is '$(key Type)'"
[ "$(key Icon)" = "$id" ] || fail "desktop entry Icon is '$(key Icon)'"
exec_cmd=$(key Exec | awk '{ print $1 }')
case $exec_cmd in
  /*) [ -x "$root$exec_cmd" ] || fail "Exec $exec_cmd is not in the package" ;;
  *) [ -x "$root/usr/bin/$exec_cmd" ] || fail "Exec $exec_cmd is not on the PATH the package installs to" ;;
esac
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
else
  echo "note: desktop-file-validate is not installed (desktop-file-utils); skipped that check"
fi

metainfo=$root/usr/share/metainfo/$id.metainfo.xml
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "metainfo does not launch $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo release is not $version"
appstreamcli validate --no-net "$metainfo" >"$scratch/as.log" 2>&1 \
  || { cat "$scratch/as.log" >&2; fail "appstreamcli rejects the metainfo"; }

# The unpacked program starts and keeps running until it is stopped.
rc=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/tasselday" >"$scratch/run.log" 2>&1 || rc=$?
[ $rc -eq 124 ] || { cat "$scratch/run.log" >&2; fail "the packaged program exited with $rc"; }
echo "package ok: $(basename "$deb")"
