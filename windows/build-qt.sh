#!/usr/bin/env bash
# Builds Qt for Windows (mingw-w64) from Debian's own qt6-base source, the same version as
# the host's Qt, once, into a cache outside the clone; later runs find it there and return.
# Prints the installed prefix on its last line, and on stderr how long the build took.
#   TASSELDAY_CACHE  where the cache lives (default: $XDG_CACHE_HOME/tasselday or ~/.cache/tasselday)
set -euo pipefail
started=$SECONDS
here=$(cd "$(dirname "$0")" && pwd)
cache=${TASSELDAY_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tasselday}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)   # e.g. 6.4.2+dfsg-10
upstream=${version%-*}                                    # 6.4.2+dfsg
# Only what the program and its tests use; the last two switches are what Debian's source
# needs for Windows (no wintab header; no dynamic GL without OpenGL).
options=(-DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF -DFEATURE_testlib=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF
  -DCMAKE_BUILD_TYPE=Release)
key=$(printf '%s\n' "$upstream" "${options[@]}" | cat - "$here/mingw-toolchain.cmake" | sha256sum | cut -c1-12)
prefix="$cache/qt-${upstream%+*}-mingw64-$key"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work="$cache/work-$key"
mkdir -p "$work"
tarball="$work/qt6-base_${upstream}.orig.tar.xz"
if [ ! -f "$tarball" ]; then
  # The machine's apt sources name binary packages only: a private configuration, made from
  # them with the source type, fetches the source without touching the system's apt set-up.
  apt="$work/apt"
  mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/archives/partial"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" > "$apt/sources.list.d/$(basename "$f")"
  done
  # Older machines name them in one-line form.
  sed -n 's/^deb /deb-src /p' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
    > "$apt/sources.list" 2>/dev/null || true
  aptopts=(-o Dir::Etc::SourceParts="$apt/sources.list.d" -o Dir::Etc::SourceList="$apt/sources.list"
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache::Archives="$apt/archives"
    -o APT::Sandbox::User="$(id -un)")
  apt-get "${aptopts[@]}" update >&2
  (cd "$work" && apt-get "${aptopts[@]}" source --download-only "qt6-base=$version" >&2)
fi
src="$work/qtbase-everywhere-src"
if [ ! -d "$src" ]; then
  rm -rf "$work/unpack" && mkdir -p "$work/unpack"
  tar -xf "$tarball" -C "$work/unpack"
  mv "$work/unpack"/* "$src"
fi

build="$work/build"
mkdir -p "$build"
# Qt's own toolchain file chains to this one by its path: a copy in the cache outlives the clone.
cp "$here/mingw-toolchain.cmake" "$cache/mingw-toolchain-$key.cmake"
cmake -S "$src" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$cache/mingw-toolchain-$key.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >&2
cmake --build "$build" -j "$(nproc)" >&2
cmake --install "$build" >&2
touch "$prefix/.complete"
rm -rf "$build" "$src"   # the installed prefix is all later builds need
echo "Windows Qt built in $(( (SECONDS - started) / 60 )) min $(( (SECONDS - started) % 60 )) s" >&2
echo "$prefix"
