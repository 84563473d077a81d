#!/usr/bin/env bash
# Builds Celestrix and runs every test: as released, under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzzers for a bounded time, the Windows build
# under Wine, and the Debian package installed and started (which changes the
# machine: it installs the package).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/install-deps.sh"
jobs=$(nproc)
out=${CELESTRIX_TEST_BUILD:-$top/build-test}

stage() { echo; echo "=== $*"; }

run_suite() {
  local build=$1
  shift
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$build" -j"$jobs"
  (cd "$build" && ctest --output-on-failure -j"$jobs" --timeout 600)
}

stage "tests"
run_suite "$out/linux"

stage "benchmarks, once each (no figures are checked)"
"$out/linux/bench/core_bench" --benchmark_min_time=0.01 >/dev/null
QT_QPA_PLATFORM=offscreen "$out/linux/bench/keystroke_bench" --benchmark_min_time=0.01 >/dev/null

stage "tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$top/tests/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite "$out/sanitize" -DCELESTRIX_SANITIZE=ON -DCELESTRIX_BENCH=OFF

stage "fuzzers"
CELESTRIX_FUZZ_BUILD="$out/fuzz" bash "$top/tests/fuzz/run_fuzzers.sh"

stage "Windows build and its tests under Wine"
bash "$top/tools/build-windows.sh" --test "$out/windows"

stage "Debian package"
bash "$top/tests/packaging/test_deb.sh" "$out/deb"
