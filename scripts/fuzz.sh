#!/usr/bin/env bash
# Builds the fuzzers (clang, AddressSanitizer and UndefinedBehaviorSanitizer) in
# build-fuzz and runs each for a fixed number of runs, one after the other:
# scripts/fuzz.sh [runs] [fuzzer...] (default 10000 runs, every fuzzer). FUZZ_ARGS
# adds libFuzzer options (e.g. "-max_total_time=300").
# A fuzzer's corpus grows in build-fuzz/corpus/<fuzzer>; a crash stops the script
# with the fuzzer's report and leaves the input in build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10000}"
shift || true
build="${FUZZ_BUILD_DIR:-build-fuzz}"

bash scripts/install_missing.sh cmake ninja-build ccache clang-14 libclang-rt-14-dev \
  qt6-base-dev qt6-serialport-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DINTERLOCK_FUZZ=ON -DINTERLOCK_WERROR=ON >/dev/null
cmake --build "$build" --target fuzzers

rm -rf "$build/seeds"
"$build/fuzz/fuzz_seeds" "$build/seeds"
mkdir -p "$build/crashes"
if [ $# -gt 0 ]; then
  fuzzers=("${@/#/$build/fuzz/}")
else
  fuzzers=("$build"/fuzz/*_fuzzer)
fi
for fuzzer in "${fuzzers[@]}"; do
  name="$(basename "$fuzzer")"
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  sources=("$corpus")
  for seeds in "$build/seeds/$name" "fuzz/seeds/$name"; do
    [ -d "$seeds" ] && sources+=("$seeds")
  done
  echo "== $name: $runs runs"
  # shellcheck disable=SC2086
  "$fuzzer" -runs="$runs" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$name-" ${FUZZ_ARGS:-} "${sources[@]}" 2>"$build/$name.log" ||
    { tail -n 60 "$build/$name.log"; echo "$name failed" >&2; exit 1; }
  grep -E "^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)" \
    "$build/$name.log" || true
done
echo "fuzzers passed"
