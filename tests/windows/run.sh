#!/usr/bin/env bash
# run.sh BUILD: the Windows build's tests (make windows and make package-windows made BUILD),
# by CTest: the unit suite and the launcher's tests under Wine, the folder's imports, the
# installer installed and removed, and the installed program's end-to-end scenarios.
set -euo pipefail
build=$(realpath "${1:-build-windows}")
wine=$(dirname "$(realpath "$0")")/wine.sh
started=$SECONDS
# A fresh prefix for the unit suite: the launcher's test writes to its registry.
"$wine" "$build" --stop
rm -rf "$build/wine/units"
trap '"$wine" "$build" --stop' EXIT
(cd "$build" && ctest --output-on-failure -j "${JOBS:-2}")
echo "Windows tests passed in $((SECONDS - started)) s"
