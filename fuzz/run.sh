#!/usr/bin/env bash
# fuzz/run.sh [N] [target...]: builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ and runs each for N inputs (default one million)
# from the committed seeds. New inputs go to a scratch folder; copy any worth keeping (a
# finding, once fixed) into fuzz/corpus/<target>/ so the unit suite replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1000000}
shift || true
targets=("$@")
[ $# -gt 0 ] || targets=(datetext leadnum numbers sysinfo)
build=${FUZZ_BUILD:-build-fuzz}
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER="$(command -v clang++ || command -v clang++-14)" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTASSELDAY_SANITIZE=address,undefined,fuzzer-no-link \
  -DTASSELDAY_FUZZ=ON >/dev/null
cmake --build "$build" -j "${JOBS:-2}" --target "${targets[@]/#/fuzz_}"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for t in "${targets[@]}"; do
  mkdir -p "$scratch/$t"
  echo "== fuzz_$t: $runs inputs"
  "$build/fuzz/fuzz_$t" -runs="$runs" -max_len=256 -timeout=5 -print_final_stats=1 \
    -artifact_prefix="$build/fuzz/$t-" "$scratch/$t" "fuzz/corpus/$t" >"$scratch/$t.log" 2>&1 \
    || { tail -40 "$scratch/$t.log"; echo "fuzz_$t found a fault: see $build/fuzz/$t-*"; exit 1; }
  grep -E '^#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss' "$scratch/$t.log"
done
echo "all fuzz targets ran $runs inputs clean"
