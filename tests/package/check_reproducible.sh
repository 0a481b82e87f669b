#!/usr/bin/env bash
# check_reproducible.sh SOURCE_DIR BUILD_DIR: a copy of the source (new file times) built elsewhere
# without tests packages to the same bytes as BUILD_DIR, every file dated at the last commit.
set -euo pipefail
src=$1 build=$2 work=$2/reproducible
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { "$@" >"$work/log" 2>&1 || { cat "$work/log" >&2; fail "$*"; }; }
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
epoch=$(git -C "$src" log -1 --format=%ct)
rm -rf "$work" && mkdir -p "$work/src"
git -C "$src" ls-files -z -co --exclude-standard \
  | tar -C "$src" --null -T - --ignore-failed-read -cf - | tar -C "$work/src" -m -xf -
run cmake -S "$work/src" -B "$work/src/build" -G "$(cached CMAKE_GENERATOR)" -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE="$(cached CMAKE_BUILD_TYPE)" \
  -DCMAKE_CXX_COMPILER="$(cached CMAKE_CXX_COMPILER)" \
  -DCMAKE_CXX_COMPILER_LAUNCHER="$(cached CMAKE_CXX_COMPILER_LAUNCHER)"
run cmake --build "$work/src/build" -j 2
# The first from the git checkout (the time of its last commit), the second told the same time.
run cpack --config "$build/CPackConfig.cmake" -B "$work/first"
run env SOURCE_DATE_EPOCH="$epoch" cpack --config "$work/src/build/CPackConfig.cmake" \
  -B "$work/second"
first=$(echo "$work"/first/*.deb) second=$(echo "$work"/second/*.deb)
list() { dpkg-deb --fsys-tarfile "$1" | TZ=UTC tar -tv --full-time; }
cmp -s "$first" "$second" || fail "the packages differ: $(diff <(list "$first") <(list "$second"))"
dates=$(list "$first" | awk '{ print $4, $5 }' | sort -u)
[ "$dates" = "$(date -u -d "@$epoch" '+%F %T')" ] || fail "file times $dates, not the commit's"
rm -rf "$work"
echo "reproducible: $(basename "$first")"
