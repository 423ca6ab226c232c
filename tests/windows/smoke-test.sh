#!/usr/bin/env bash
# Starts the 32-bit game (build-win32, made by ./build-windows.sh) under 32-bit Wine on a virtual
# X display, in a Wine prefix of its own, beside its pictures and help page, once in Japanese and
# once in English: waits for the title window, takes a screenshot of it, presses Esc and checks
# that the program ended and wrote its key file. Where 32-bit Wine cannot be installed, the
# 64-bit game runs under wine64 instead, and the run says so (see wine.sh).
# The screenshots are left in the build folder: smoke-title-ja.png and smoke-title-en.png.
# Exit status: 0 passed, 1 failed, 77 skipped because Wine cannot run here.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
data="$root/build-win-host/data"
source tests/windows/wine.sh

skip() {
    echo "SKIPPED: the Windows smoke test did not run: $*" >&2
    exit 77
}
fail() {
    echo "FAILED: Windows smoke test: $*" >&2
    exit 1
}

if [ -z "${TF_UNDER_XVFB:-}" ]; then
    tf_choose_wine "$root" || skip "Wine and xvfb cannot be installed"
    [ -f "$TF_WIN_BUILD/app/Tonefalls.exe" ] || fail "no $TF_WIN_BUILD/app/Tonefalls.exe: run ./build-windows.sh"
    [ -f "$data/title.bmp" ] || fail "no pictures in $data: run ./build-windows.sh"
    TF_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
build=$TF_WIN_BUILD

export WINEPREFIX="$build/wineprefix"
start=$(date +%s)
tf_make_prefix || skip "cannot set up the Wine prefix"

for language in ja en; do
    # The game as a player unzips it, started afresh in each language.
    game="$build/smoke-$language"
    rm -rf "$game"
    mkdir -p "$game/help"
    cp "$build/app/Tonefalls.exe" "$data/main.bmp" "$data/title.bmp" "$data/title-en.bmp" "$data/result.bmp" "$game/"
    cp "$data/help/help.html" "$data/help/help-en.html" "$data/help/help.css" "$game/help/"
    tf_title_and_quit "$game" Tonefalls.exe "$language" "$game/Tonefalls-settings.ini" \
        "$build/smoke-title-$language.png" || fail "in $language: see $build/smoke-title-$language.png.wine.log"
    [ -f "$game/Tonefalls.ini" ] || fail "the game ended without writing Tonefalls.ini"
done
"$(dirname "$TF_WINE")/wineserver" -k 2>/dev/null || true
echo "== Windows smoke test ($TF_WINEARCH) passed in $(( $(date +%s) - start )) s"
