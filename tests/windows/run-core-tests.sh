#!/usr/bin/env bash
# Runs every test suite of the 32-bit Windows build (build-win32, made by ./build-windows.sh)
# under 32-bit Wine on a virtual X display, in a Wine prefix of their own under the build
# folder. Where 32-bit Wine cannot be installed, the 64-bit build's suites run under wine64
# instead, and the run says so (see wine.sh).
# Exit status: 0 all passed, 1 a suite failed, 77 skipped because Wine cannot run here.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
source tests/windows/wine.sh

skip() {
    echo "SKIPPED: the Windows tests did not run: $*" >&2
    exit 77
}

if [ -z "${TF_UNDER_XVFB:-}" ]; then
    tf_choose_wine "$root" || skip "Wine and xvfb cannot be installed"
    ls "$TF_WIN_BUILD"/tests/*.exe >/dev/null 2>&1 ||
        { echo "no test programs in $TF_WIN_BUILD: run ./build-windows.sh" >&2; exit 1; }
    # One display for all suites.
    TF_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
build=$TF_WIN_BUILD

# A corpus named in the environment is reached, like the configured one, through Wine's Z: drive.
if [ -n "${TF_CORPUS_DIR:-}" ] && [[ $TF_CORPUS_DIR != Z:* ]]; then
    export TF_CORPUS_DIR="Z:$(realpath -m "$TF_CORPUS_DIR")"
fi
export WINEPREFIX="$build/wineprefix"
start=$(date +%s)
tf_make_prefix || skip "cannot set up the Wine prefix"

failed=0 suites=0
for exe in "$build"/tests/tf_*_tests.exe "$build"/tests/*/tf_*_tests.exe "$build"/tests/*/*/tf_*_tests.exe; do
    [ -e "$exe" ] || continue
    echo "== $(basename "$exe") under $TF_WINEARCH Wine"
    suites=$((suites + 1))
    # The suites never wait on their own; the limit is only for a Wine that hangs.
    if ! (cd "$(dirname "$exe")" && timeout 900 "$TF_WINE" "$exe" --gtest_brief=1 "$@"); then
        failed=1
    fi
done
"$(dirname "$TF_WINE")/wineserver" -k 2>/dev/null || true
echo "== $suites suites of $(basename "$build") under $TF_WINEARCH Wine took $(( $(date +%s) - start )) s"
exit $failed
