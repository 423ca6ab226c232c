#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   0. the formatting of the project's own sources (clang-format --dry-run --Werror);
#   1. the full suite (core, companion tool, Qt game on the offscreen platform);
#   2. the core and shell-logic suites under AddressSanitizer + UndefinedBehaviorSanitizer;
#   3. the same suites under ThreadSanitizer (the shell's play and preview threads);
#   4. each fuzz target for a short while, when clang is there;
#   5. the Release build (warnings as errors there too), the Debian package made from it, and
#      the package's contents and metadata checked (lintian and the validators);
#   6. the Windows program cross-built (32-bit, and 64-bit only where 32-bit Wine cannot be
#      installed), every Windows suite and the companion's expected outputs under 32-bit Wine, the
#      game itself started and ended in both languages, and the installer's silent install, start
#      and uninstall. Where Wine cannot run, these say SKIPPED and do not fail the run.
# Every build here turns warnings into errors (TF_WERROR). The sweeps over the shared MIDI corpus
# (../shared/corpus, or TF_CORPUS_DIR) skip, saying so, where there is no corpus.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${CHECK_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export TF_WERROR=ON

corpus=${TF_CORPUS_DIR:-../shared/corpus}
if [ ! -d "$corpus/edge-cases" ]; then
    echo "== no MIDI corpus at $corpus: the corpus sweeps are skipped (set TF_CORPUS_DIR to run them)"
fi

# The project's own sources keep to .clang-format; a file that does not fails the run here, before
# anything is built.
echo "== formatting"
git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTF_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== core tests under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTF_CORE_ONLY=ON -DTF_SANITIZE=address \
      -DCMAKE_CXX_COMPILER=clang++ -DTF_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== core and shell tests under ThreadSanitizer"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTF_CORE_ONLY=ON -DTF_SANITIZE=thread \
      -DCMAKE_CXX_COMPILER=clang++ -DTF_WERROR=ON >/dev/null
cmake --build build-tsan -j "$jobs"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    ctest --test-dir build-tsan --output-on-failure -j "$jobs"

if [ -x ./fuzz.sh ]; then
    echo "== fuzzing, 60 seconds a target"
    ./fuzz.sh all 60
fi

# The build type users and packagers build: warnings must not come back there either.
echo "== Release build, Debian package and its check"
./package.sh
ctest --test-dir build-release --output-on-failure

echo "== Windows: cross builds, suites, companion, smoke test and installer under Wine"
windows_start=$(date +%s)
source tests/windows/wine.sh
# The 64-bit build is made only for the fall-back to wine64 (see wine.sh).
if tf_wine32_starts; then
    ./build-windows.sh win32
else
    ./build-windows.sh all
fi
# 77 from a Wine stage means Wine cannot run on this machine: said, and not a failure.
windows_stage() {
    local status=0
    "$@" || status=$?
    if [ "$status" -eq 77 ]; then
        echo "SKIPPED: $1 (Wine cannot run here)"
    elif [ "$status" -ne 0 ]; then
        echo "FAILED: $1" >&2
        exit "$status"
    fi
}
windows_stage tests/windows/run-core-tests.sh
windows_stage tests/windows/run-cli-tests.sh
windows_stage tests/windows/smoke-test.sh
windows_stage tests/windows/installer-test.sh
echo "== Windows stages took $(( $(date +%s) - windows_start )) s"
