#!/usr/bin/env bash
# Checks the companion's outputs on the game's own platform: the expected event logs, chart
# dumps, judged plays and load failures of the companion's suite (tf_cli_tests of the Linux build
# in build/, made by ./test.sh) are compared with what the 32-bit Windows tonefalls-cli
# (build-win32, made by ./build-windows.sh) prints under 32-bit Wine.
# `render`, `timing` and the MIDI backends need FluidSynth, RtMidi or Qt, which the Windows
# companion has not: their tests are left out here, and the run says so. So are the corpus sweep
# and the hostile headers, whose hundreds of runs would each start Wine; the suites of the
# Windows build load the same files.
# Exit status: 0 passed, 1 failed, 77 skipped because Wine cannot run here.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
source tests/windows/wine.sh

skip() {
    echo "SKIPPED: the Windows companion's tests did not run: $*" >&2
    exit 77
}

suite="$root/build/tests/cli/tf_cli_tests"
[ -x "$suite" ] || { echo "no $suite: build the Linux suites first (./test.sh does)" >&2; exit 1; }
tf_choose_wine "$root" || skip "Wine cannot be installed"
export TF_WIN_CLI="$TF_WIN_BUILD/tools/cli/tonefalls-cli.exe"
[ -f "$TF_WIN_CLI" ] || { echo "no $TF_WIN_CLI: run ./build-windows.sh" >&2; exit 1; }
export WINEPREFIX="$TF_WIN_BUILD/wineprefix"
start=$(date +%s)
tf_make_prefix || skip "cannot set up the Wine prefix"
wineserver="$(dirname "$TF_WINE")/wineserver"
# One Wine server for all the runs, instead of one started and stopped for each.
"$wineserver" -p 2>/dev/null || true
trap '"$wineserver" -k 2>/dev/null || true' EXIT

echo "== the companion's tests with the $TF_WINEARCH Windows tonefalls-cli (not render, timing, the MIDI backends, the corpus sweep, the hostile headers)"
golden='CliEvents*:CliChart.*:CliPresses*:CliInfo.*'
TF_CLI_PROGRAM="$root/tests/windows/wine-cli.sh" "$suite" --gtest_brief=1 --gtest_filter="$golden" "$@"
echo "== Windows companion's tests took $(( $(date +%s) - start )) s"
