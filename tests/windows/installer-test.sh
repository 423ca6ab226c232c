#!/usr/bin/env bash
# Checks the Windows installer (dist/Tonefalls-windows-setup.exe, made by ./build-windows.sh)
# under 32-bit Wine: a silent install (/S) for all users puts the game, its uninstaller and its
# Start-menu entry in place and registers it in Apps & features; the installed game starts,
# shows its title and ends on Esc, keeping its key file in %APPDATA%\Tonefalls; a silent
# uninstall leaves no program file or entry behind and the player's key file where it was.
# Where only wine64 runs (see wine.sh), the same script makes a 64-bit installer of the 64-bit
# game (build-win64) and checks that instead, saying so.
# Exit status: 0 passed, 1 failed, 77 skipped because Wine cannot run here.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
setup="$root/dist/Tonefalls-windows-setup.exe"
source tests/windows/wine.sh

skip() {
    echo "SKIPPED: the Windows installer check did not run: $*" >&2
    exit 77
}
fail() {
    echo "FAILED: Windows installer check: $*" >&2
    exit 1
}

if [ -z "${TF_UNDER_XVFB:-}" ]; then
    tf_choose_wine "$root" || skip "Wine and xvfb cannot be installed"
    [ -f "$setup" ] || fail "no $setup: run ./build-windows.sh win32"
    TF_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
build=$TF_WIN_BUILD
wineserver="$(dirname "$TF_WINE")/wineserver"
if [ "$TF_WINEARCH" != win32 ]; then
    echo "NOTE: the 32-bit installer cannot run under wine64: checking a 64-bit installer of the 64-bit game instead"
    layout="$build/installer-layout"
    rm -rf "$layout"
    mkdir -p "$layout"
    cp -r "$root/dist/windows/." "$layout/"
    cp "$build/app/Tonefalls.exe" "$layout/"
    setup="$build/Tonefalls-win64-setup.exe"
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
    makensis -V2 -DTARGET=amd64-unicode -DVERSION="$version" -DSOURCE="$layout" \
             -DICON="$root/build-win-host/windows-icons/tonefalls.ico" \
             -DSONGS="$root/build-win-host/windows-songs.nsh" -DOUTFILE="$setup" \
             "$root/res/windows/tonefalls.nsi" || fail "makensis failed"
fi

export WINEPREFIX="$build/wineprefix"
start=$(date +%s)
tf_make_prefix || skip "cannot set up the Wine prefix"
drive="$WINEPREFIX/drive_c"
program="$drive/Program Files/Tonefalls"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Tonefalls.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tonefalls'
[ ! -e "$program" ] || fail "$program is there before the install"

echo "== silent install"
timeout 300 "$TF_WINE" "$setup" /S /AllUsers >/dev/null 2>&1 || fail "the installer failed"
"$wineserver" -w
for file in Tonefalls.exe Uninstall.exe Tonefalls-installed.txt title.bmp help/help.html songs/paper-kites.mid; do
    [ -f "$program/$file" ] || fail "no $file in $program"
done
[ -f "$menu" ] || fail "no Start-menu entry $menu"
timeout 60 "$TF_WINE" reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 ||
    fail "no entry in Apps & features ($uninstall_key)"
timeout 60 "$TF_WINE" reg query 'HKLM\Software\Classes\Tonefalls.MidiFile' >/dev/null 2>&1 &&
    fail "the .mid association was made though it is unticked"

echo "== the installed game"
# The user's %APPDATA%, whatever the user is called in the prefix.
appdata="$(find "$drive/users" -maxdepth 3 -type d -path '*/AppData/Roaming' | head -n 1)/Tonefalls"
tf_title_and_quit "$program" Tonefalls.exe en "$appdata/Tonefalls-settings.ini" "$build/installed-title.png" ||
    fail "the installed game: see $build/installed-title.png.wine.log"
[ -f "$appdata/Tonefalls.ini" ] || fail "the installed game wrote no key file in %APPDATA%\\Tonefalls"
[ ! -e "$program/Tonefalls.ini" ] || fail "the installed game wrote its key file into Program Files"

echo "== silent uninstall"
timeout 300 "$TF_WINE" "$program/Uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed"
# The uninstaller runs on from a copy of itself; the server ends when it has.
"$wineserver" -w
[ ! -e "$program" ] || fail "left behind in $program: $(cd "$program" && find . -type f | tr '\n' ' ')"
[ ! -e "$menu" ] || fail "the Start-menu entry is left behind"
timeout 60 "$TF_WINE" reg query "$uninstall_key" >/dev/null 2>&1 && fail "the Apps & features entry is left behind"
[ -f "$appdata/Tonefalls.ini" ] || fail "the uninstaller removed the player's key file"
"$wineserver" -k 2>/dev/null || true
echo "== Windows installer check passed in $(( $(date +%s) - start )) s"
