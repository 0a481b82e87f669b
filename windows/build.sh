#!/usr/bin/env bash
# windows/build.sh BUILD NATIVE_BUILD: the Windows Qt (built once into the cache, see
# build-qt.sh), then tasselday.exe and its tests cross-built into BUILD with that Qt, the art
# converted by NATIVE_BUILD's assetconv; then BUILD/tasselday/, the folder that runs on
# Windows: the program, stripped, with everything it loads beside it.
set -euo pipefail
started=$SECONDS
src=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "$1")
native=$(realpath "$2")
qt=$("$src/windows/build-qt.sh" | tail -n 1)
# Stripped binaries are dated, like the packages' files, at the last commit.
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && epoch=$(git -C "$src" log -1 --format=%ct 2>/dev/null); then
  export SOURCE_DATE_EPOCH=$epoch
fi
# Every run configures afresh from the same switches, so a moved cache or clone is followed.
"$qt/bin/qt-cmake" -S "$src" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$src/windows/mingw-toolchain.cmake" \
  -DTASSELDAY_ASSETCONV="$native/tools/assetconv" -DTASSELDAY_WERROR=ON -DTASSELDAY_BENCH=OFF \
  ${CCACHE:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CCACHE} >/dev/null
cmake --build "$out" -j "${JOBS:-2}"
rm -rf "$out/tasselday"
cmake --install "$out" --prefix "$out/tasselday" --strip >/dev/null
echo "$out/tasselday: $(du -sh "$out/tasselday" | cut -f1), built in $((SECONDS - started)) s"
