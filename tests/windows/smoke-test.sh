#!/usr/bin/env bash
# Starts the 64-bit game (build-win64, made by ./build-windows.sh) under wine64 on a virtual X
# display, in a Wine prefix of its own, beside its pictures and help page; waits for the title
# window, takes a screenshot of it, presses Esc and checks that the program ended and wrote its
# key file.
# Exit status: 0 passed, 1 failed, 77 skipped because Wine cannot run here.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
build="$root/build-win64"
exe="$build/app/Tonefalls.exe"
data="$root/build-win-host/data"
title="Tonefalls QUILL-MIX"

skip() {
    echo "SKIPPED: the Windows smoke test did not run: $*" >&2
    exit 77
}
fail() {
    echo "FAILED: Windows smoke test: $*" >&2
    exit 1
}

if [ -z "${TF_UNDER_XVFB:-}" ]; then
    scripts/ensure-packages.sh xdotool x11-utils imagemagick >/dev/null || fail "xdotool, x11-utils and imagemagick cannot be installed"
    if ! dpkg-query -W -f='${Status}' wine64 2>/dev/null | grep -q 'install ok installed' ||
       ! command -v xvfb-run >/dev/null; then
        scripts/ensure-packages.sh wine64 xvfb xauth || skip "wine64 and xvfb cannot be installed"
    fi
    wine=$(command -v wine64 || true)
    [ -n "$wine" ] || wine=/usr/lib/wine/wine64
    [ -x "$wine" ] || skip "no wine64 program"
    [ -f "$exe" ] || fail "no $exe: run ./build-windows.sh"
    [ -f "$data/title.bmp" ] || fail "no pictures in $data: run ./build-windows.sh"
    TF_UNDER_XVFB=1 TF_WINE="$wine" exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

export WINEPREFIX="$build/smoke-wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko download prompts while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
wineserver="$(dirname "$TF_WINE")/wineserver"
start=$(date +%s)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== making the Wine prefix"
    timeout 300 "$TF_WINE" wineboot --init >/dev/null 2>&1 || skip "wineboot failed"
fi
# Without a window manager, windows that Wine manages never close.
timeout 120 "$TF_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 ||
    skip "cannot set up the Wine prefix"

# The game as a player unzips it.
game="$build/smoke"
rm -rf "$game"
mkdir -p "$game/help"
cp "$exe" "$data/main.bmp" "$data/title.bmp" "$data/title-en.bmp" "$data/result.bmp" "$game/"
cp "$data/help/help.html" "$game/help/"

ended=0
(cd "$game" && timeout 120 "$TF_WINE" Tonefalls.exe >"$game/wine.log" 2>&1; echo $? >"$game/exit-status") &
runner=$!
cleanup() {
    if [ "$ended" -eq 0 ]; then
        "$wineserver" -k 2>/dev/null || true
        wait "$runner" 2>/dev/null || true
    fi
}
trap cleanup EXIT

window=""
for _ in $(seq 1 180); do
    window=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    [ -f "$game/exit-status" ] && fail "the game ended before its window showed (exit $(cat "$game/exit-status"))"
    sleep 0.5
done
[ -n "$window" ] || fail "no window named \"$title\" within 90 s"
echo "== title window $window after $(( $(date +%s) - start )) s"

# The first paint follows the window's creation at once; a moment for the X server to show it.
sleep 2
shot="$build/smoke-title.png"
import -window root "$shot"
colours=$(convert "$shot" -format %k info:)
echo "== screenshot $shot: $colours colours"
[ "$colours" -gt 16 ] || fail "the screenshot is nearly blank ($colours colours)"

xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers Escape
for _ in $(seq 1 60); do
    [ -f "$game/exit-status" ] && break
    sleep 0.5
done
[ -f "$game/exit-status" ] || fail "the game did not end within 30 s of Esc"
ended=1
wait "$runner" || true
status=$(cat "$game/exit-status")
[ "$status" -eq 0 ] || fail "the game ended with status $status"
[ -f "$game/Tonefalls.ini" ] || fail "the game ended without writing Tonefalls.ini"
"$wineserver" -k 2>/dev/null || true
echo "== Windows smoke test passed in $(( $(date +%s) - start )) s"
