#!/usr/bin/env bash
# fuzz/run.sh [N] [target...]: builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ and runs each for N inputs (default one million) from
# its seeds. Copy a finding, once fixed, into fuzz/corpus/<target>/: the unit suite replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1000000} build=${FUZZ_BUILD:-build-fuzz} out=$(mktemp -d)
[ $# -gt 1 ] && targets=("${@:2}") || targets=(datetext desktopentry leadnum numbers sysinfo typedtext)
trap 'rm -rf "$out"' EXIT
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER="$(command -v clang++ || command -v clang++-14)" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTASSELDAY_SANITIZE=address,undefined,fuzzer-no-link \
  -DTASSELDAY_FUZZ=ON >/dev/null
cmake --build "$build" -j "${JOBS:-2}" --target "${targets[@]/#/fuzz_}"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1
for t in "${targets[@]}"; do  # new inputs go to a scratch folder, faults to $build/fuzz/$t-*
  mkdir "$out/$t" && "$build/fuzz/fuzz_$t" -runs="$runs" -max_len=256 -timeout=5 \
    -artifact_prefix="$build/fuzz/$t-" "$out/$t" "fuzz/corpus/$t" 2>"$out/log" \
    || { tail -40 "$out/log"; echo "fuzz_$t found a fault"; exit 1; }
  echo "fuzz_$t: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$out/log")"
done
