#!/usr/bin/env bash
# Runs a libFuzzer target for a while: ./fuzz.sh song|keyfile|all SECONDS
# Builds the fuzzers in build-fuzz if needed (clang only), starts from the seeds in tests/fuzz/seeds
# (plus, for songs, the shared MIDI corpus) and keeps what it learns in build-fuzz/corpus, so a
# later run goes on from there. A crash leaves its input in build-fuzz/crashes and fails the run:
# copy it to tests/fuzz/regressions/TARGET/ once the fault is fixed.
set -euo pipefail
cd "$(dirname "$0")"

usage() {
    echo "usage: $0 song|keyfile|all SECONDS" >&2
    exit 2
}
[[ $# -eq 2 ]] || usage
target=$1
seconds=$2
[[ $seconds =~ ^[0-9]+$ ]] || usage
case $target in
song | keyfile) targets=("$target") ;;
all) targets=(song keyfile) ;;
*) usage ;;
esac

if ! command -v clang++ >/dev/null; then
    echo "fuzz.sh: clang++ is not installed; the fuzzers are not run" >&2
    exit 0
fi

build=build-fuzz
corpus_dir=${TF_CORPUS_DIR:-../shared/corpus}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DTF_CORE_ONLY=ON -DTF_BUILD_TESTS=OFF -DTF_BUILD_FUZZERS=ON -DTF_SANITIZE=address \
      -DTF_WERROR="${TF_WERROR:-OFF}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

status=0
for name in "${targets[@]}"; do
    work=$build/corpus/$name
    crashes=$build/crashes/$name
    log=$build/logs/$name.log
    mkdir -p "$work" "$crashes" "$(dirname "$log")"
    seeds=(tests/fuzz/seeds/"$name")
    max_len=4096
    if [[ $name == song ]]; then
        # The shared corpus is copied at each run rather than kept in the repository; without it
        # the fuzzer starts from the repository's seeds alone.
        shared=$build/seeds/song-corpus
        mkdir -p "$shared"
        if [[ -d $corpus_dir ]]; then
            find "$corpus_dir" -type f -name '*.mid' -exec cp -f {} "$shared"/ \;
        else
            echo "fuzz_$name: no MIDI corpus at $corpus_dir; seeding from tests/fuzz/seeds only"
        fi
        seeds+=("$shared")
        max_len=32768
    fi
    echo "== fuzz_$name for ${seconds}s (log: $log)"
    if "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len="$max_len" -timeout=20 \
        -print_final_stats=1 -artifact_prefix="$crashes/" "$work" "${seeds[@]}" >"$log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || tail -n 1 "$log"
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" || true
    else
        status=1
        echo "fuzz_$name FAILED; the input is in $crashes:" >&2
        grep -E 'ERROR|SUMMARY|Test unit written' "$log" >&2 || tail -n 20 "$log" >&2
    fi
done
exit $status
