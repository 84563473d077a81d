#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in a build folder of their own and runs each for
# a bounded time, starting from the seeds in tests/fuzz/corpus/<target>/.
# Fails on the first crash, leak, time-out or failed check; the input that
# caused it is kept in the build folder's crashes/.
#   CELESTRIX_FUZZ_BUILD    build folder (default: build-fuzz in the tree)
#   CELESTRIX_FUZZ_SECONDS  time per target (default: 60)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${CELESTRIX_FUZZ_BUILD:-$top/build-fuzz}
seconds=${CELESTRIX_FUZZ_SECONDS:-60}
fuzzers=(text_file_fuzzer catalogue_fuzzer language_fuzzer link_fuzzer)

cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCELESTRIX_FUZZ=ON \
  -DCELESTRIX_QT=OFF -DCELESTRIX_TESTS=OFF -DCELESTRIX_BENCH=OFF
cmake --build "$build" -j"$(nproc)" --target fuzzers

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
for fuzzer in "${fuzzers[@]}"; do
  # New inputs go to a working copy; the seeds in the tree stay as they are.
  work="$build/corpus/$fuzzer"
  crashes="$build/crashes/$fuzzer"
  mkdir -p "$work" "$crashes"
  log="$build/$fuzzer.log"
  echo "== $fuzzer: ${seconds}s"
  if "$build/tests/fuzz/$fuzzer" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2560 \
      -print_final_stats=1 -artifact_prefix="$crashes/" "$work" "$top/tests/fuzz/corpus/$fuzzer" >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^Done ' "$log" || true
  else
    tail -n 60 "$log"
    echo "== $fuzzer FAILED; the input is in $crashes/"
    failed+=("$fuzzer")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}"
  exit 1
fi
echo "fuzzing found no fault in: ${fuzzers[*]}"
