#!/bin/sh
# Builds the program and its benchmarks in Release, runs every figure and
# prints the table of figures, each beside its baseline and its limit.
#
#   bench/run_all.sh [BUILD_DIR]
#
# BUILD_DIR defaults to $TMPDIR/celestrix-bench (never inside the source tree);
# the raw results are left in BUILD_DIR/bench-results. Needs Xvfb for the
# start-up figures.
set -eu

source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-${TMPDIR:-/tmp}/celestrix-bench}
results=$build_dir/bench-results

cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DCELESTRIX_SANITIZE=OFF \
    -DCELESTRIX_TESTS=OFF -DCELESTRIX_QT=ON -DCELESTRIX_BENCH=ON >/dev/null
cmake --build "$build_dir" -j2 --target celestrix core_bench keystroke_bench bare_window startup_probe \
    make_bench_catalogue >/dev/null

mkdir -p "$results"
runtime_dir=$(mktemp -d "${TMPDIR:-/tmp}/celestrix-bench-runtime-XXXXXX")
trap 'rm -rf "$runtime_dir"' EXIT
cat /proc/loadavg >"$results/load-before.txt"

echo "catalogue, lookup, link and picture functions ..." >&2
"$build_dir/bench/core_bench" --benchmark_repetitions=12 --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/core.json" --benchmark_out_format=json >"$results/core.txt" 2>&1

echo "keystrokes and first paint on the real widgets ..." >&2
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime_dir "$build_dir/bench/keystroke_bench" \
    --benchmark_min_time=1 --benchmark_out="$results/widgets.json" --benchmark_out_format=json \
    >"$results/widgets.txt" 2>&1

echo "start-up of the whole program under Xvfb ..." >&2
python3 "$source_dir/bench/startup.py" --program "$build_dir/celestrix" --bare "$build_dir/bench/bare_window" \
    --probe "$build_dir/bench/startup_probe" --make-catalogue "$build_dir/bench/make_bench_catalogue" \
    --rounds 15 --json "$results/startup.json" >"$results/startup.txt"

cat /proc/loadavg >"$results/load-after.txt"
python3 "$source_dir/bench/report.py" "$results"
