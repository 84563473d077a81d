#!/bin/sh
# Builds celestrix.exe and the zip for Windows users with the mingw-w64 cross
# compiler; libjpeg and GoogleTest are built into the build folder the first
# time. With --test, also builds the tests and runs them under Wine.
#   tools/build-windows.sh [--test] [BUILD-FOLDER]    (default: build/windows)
set -eu

run_tests=no
if [ "${1:-}" = "--test" ]; then
    run_tests=yes
    shift
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$source_dir/build/windows}

cmake --preset windows -S "$source_dir" -B "$build_dir"
if [ "$run_tests" = yes ]; then
    cmake --build "$build_dir" --parallel 2
    cmake --build "$build_dir" --target windows_package
    ctest --test-dir "$build_dir" --output-on-failure --parallel 2
else
    cmake --build "$build_dir" --parallel 2 --target celestrix windows_package
fi
echo "Built $build_dir/celestrix.exe and $(ls "$build_dir"/celestrix-*-windows.zip)"
