#!/usr/bin/env bash
# Runs the test suites of the 64-bit Windows build (build-win64, made by ./build-windows.sh)
# under wine64 on a virtual X display, in a Wine prefix of their own under the build folder.
# Exit status: 0 all passed, 1 a suite failed, 77 skipped because Wine cannot run here.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
build="$root/build-win64"

skip() {
    echo "SKIPPED: the Windows tests did not run: $*" >&2
    exit 77
}

if [ -z "${TF_UNDER_XVFB:-}" ]; then
    if ! dpkg-query -W -f='${Status}' wine64 2>/dev/null | grep -q 'install ok installed' ||
       ! command -v xvfb-run >/dev/null; then
        scripts/ensure-packages.sh wine64 xvfb xauth || skip "wine64 and xvfb cannot be installed"
    fi
    wine=$(command -v wine64 || true)
    [ -n "$wine" ] || wine=/usr/lib/wine/wine64
    [ -x "$wine" ] || skip "no wine64 program"
    ls "$build"/tests/*.exe >/dev/null 2>&1 || { echo "no test programs in $build: run ./build-windows.sh" >&2; exit 1; }
    # Without a window manager, windows that Wine manages never close; one display for all suites.
    TF_UNDER_XVFB=1 TF_WINE="$wine" exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

# A corpus named in the environment is reached, like the configured one, through Wine's Z: drive.
if [ -n "${TF_CORPUS_DIR:-}" ] && [[ $TF_CORPUS_DIR != Z:* ]]; then
    export TF_CORPUS_DIR="Z:$(realpath -m "$TF_CORPUS_DIR")"
fi
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko download prompts while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
start=$(date +%s)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== making the Wine prefix"
    timeout 300 "$TF_WINE" wineboot --init >/dev/null 2>&1 || skip "wineboot failed"
fi
timeout 120 "$TF_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 ||
    skip "cannot set up the Wine prefix"

failed=0
for exe in "$build"/tests/tf_*_tests.exe "$build"/tests/*/tf_*_tests.exe "$build"/tests/*/*/tf_*_tests.exe; do
    [ -e "$exe" ] || continue
    echo "== $(basename "$exe") under Wine"
    # The suites never wait on their own; the limit is only for a Wine that hangs.
    if ! (cd "$(dirname "$exe")" && timeout 900 "$TF_WINE" "$exe" --gtest_brief=1 "$@"); then
        failed=1
    fi
done
"$(dirname "$TF_WINE")/wineserver" -k 2>/dev/null || true
echo "== Wine run took $(( $(date +%s) - start )) s"
exit $failed
