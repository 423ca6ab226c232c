#!/usr/bin/env bash
# Builds the core's benchmarks (Release, core only) and runs them: Google Benchmark's table, then
# each performance goal beside its figure. Arguments go to the benchmark program, e.g.
#   ./bench.sh --benchmark_filter=PlayFrame
# TF_BENCH_REPETITIONS (default 3) sets how often each benchmark runs; the goals quote medians.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}"

repetitions=${TF_BENCH_REPETITIONS:-3}

echo "== build the benchmarks"
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTF_CORE_ONLY=ON -DTF_BUILD_BENCH=ON \
      -DTF_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target tf_bench

echo "== run the benchmarks ($(nproc) cores, $repetitions repetitions)"
build-bench/tests/bench/tf_bench --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only="$([ "$repetitions" -gt 1 ] && echo true || echo false)" "$@"

# The frame drawn into the window's real back buffer needs the Qt view, so a build of its own.
if [ "${TF_BENCH_QT:-1}" = 1 ] && pkg-config --exists Qt6Widgets 2>/dev/null; then
    echo "== build the Qt benchmarks"
    cmake -S . -B build-bench-qt -G Ninja -DCMAKE_BUILD_TYPE=Release -DTF_BUILD_BENCH=ON \
          -DTF_BUILD_TESTS=OFF >/dev/null
    cmake --build build-bench-qt -j "$(nproc)" --target tf_bench_qt tf_play_loop_cpu
    echo "== run the Qt benchmarks"
    build-bench-qt/tests/bench/qt/tf_bench_qt --benchmark_repetitions="$repetitions" \
        --benchmark_report_aggregates_only="$([ "$repetitions" -gt 1 ] && echo true || echo false)"
    echo "== the play loop's CPU share (TF_PLAY_LOOP_SECONDS, default 20, each way)"
    build-bench-qt/tests/bench/qt/tf_play_loop_cpu --seconds "${TF_PLAY_LOOP_SECONDS:-20}"
fi
