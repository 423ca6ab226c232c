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
