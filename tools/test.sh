#!/usr/bin/env bash
# Builds Celestrix and runs every test: once as released, once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/install-deps.sh"
jobs=$(nproc)

run_suite() {
  local build=$1
  shift
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$build" -j"$jobs"
  (cd "$build" && ctest --output-on-failure -j"$jobs" --timeout 600)
}

run_suite "$top/build-test"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$top/tests/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite "$top/build-sanitize" -DCELESTRIX_SANITIZE=ON -DCELESTRIX_BENCH=OFF
