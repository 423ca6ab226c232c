#!/usr/bin/env bash
# Cross-builds the Windows program on this Debian machine with MinGW-w64, installing what is
# missing first:
#   build-win32/  32-bit (i686), the game's own platform: Tonefalls.exe, the console companion
#                 tools/cli/tonefalls-cli.exe (not shipped) and the test suites;
#   build-win64/  64-bit (x86_64): the same, for running the checks under wine64 only where
#                 32-bit Wine cannot be installed.
# The 32-bit game is laid out with its pictures and help page in dist/windows/; that folder is
# zipped as dist/Tonefalls-windows.zip (the portable game) and made into the installer
# dist/Tonefalls-windows-setup.exe with NSIS (res/windows/tonefalls.nsi).
# The icons are drawn by the artwork tool on the build machine (build-win-host/) and converted
# to .ico files for the resources.
# Usage: ./build-windows.sh [win32|win64|all]   (default all)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

which_builds=${1:-all}
case "$which_builds" in win32|win64|all) ;; *) echo "usage: $0 [win32|win64|all]" >&2; exit 2 ;; esac

scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

jobs=${JOBS:-$(nproc)}
root=$(pwd)
# The MIDI corpus is not part of the repository; without it the corpus sweeps of the Windows
# suites skip and say so.
corpus=$(realpath -m "${TF_CORPUS_DIR:-$root/../shared/corpus}")
[ -d "$corpus/edge-cases" ] || echo "No MIDI corpus at $corpus: the Windows suites' corpus sweeps will skip"

# Warnings are errors here, as in ./test.sh, unless TF_WERROR=OFF is given.
werror=${TF_WERROR:-ON}

echo "== icons"
cmake -S . -B build-win-host -G Ninja -DCMAKE_BUILD_TYPE=Release -DTF_BUILD_TESTS=OFF -DTF_WERROR="$werror" >/dev/null
cmake --build build-win-host -j "$jobs" --target tonefalls-data tonefalls-songs-data
icons="$root/build-win-host/windows-icons"
mkdir -p "$icons"
png="$root/build-win-host/data/icons"
# The real ImageMagick, not a wrapper that might stand in front of it.
convert_bin=$(command -v convert-im6.q16 || command -v convert)
"$convert_bin" "$png/tonefalls-256.png" "$png/tonefalls-48.png" "$png/tonefalls-32.png" \
    \( "$png/tonefalls-32.png" -resize 16x16 \) "$icons/tonefalls.ico"
"$convert_bin" \( "$png/tonefalls-32.png" -resize 16x16 \) "$png/tonefalls-32.png" "$icons/tonefalls-small.ico"

cross_build() {
    local dir=$1 toolchain=$2
    echo "== $dir"
    # Wine reads the corpus through its Z: drive, which maps the whole Linux file system.
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
          -DTF_CORPUS_DIR="Z:$corpus" -DTF_WIN_ICON_DIR="$icons" -DTF_CORE_ONLY=OFF \
          -DTF_WERROR="$werror" >/dev/null
    cmake --build "$dir" -j "$jobs" --target Tonefalls tonefalls-cli \
          tf_song_tests tf_chart_tests tf_game_tests tf_app_tests tf_win32_tests tf_winview_tests
}

start=$(date +%s)
if [ "$which_builds" != win64 ]; then cross_build build-win32 mingw-i686.cmake; fi
if [ "$which_builds" != win32 ]; then cross_build build-win64 mingw-x86_64.cmake; fi
echo "== cross builds took $(( $(date +%s) - start )) s"

if [ "$which_builds" != win64 ]; then
    exe=build-win32/app/Tonefalls.exe
    # Only the DLLs every Windows has: the C runtime, threads and C++ library are linked in.
    allowed='^(ADVAPI32|COMDLG32|GDI32|KERNEL32|MSVCRT|SHELL32|USER32|WINMM)\.DLL$'
    unexpected=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' |
                 tr '[:lower:]' '[:upper:]' | grep -Ev "$allowed" || true)
    if [ -n "$unexpected" ]; then
        echo "Tonefalls.exe needs DLLs that Windows does not ship: $unexpected" >&2
        exit 1
    fi
    i686-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-i386' ||
        { echo "Tonefalls.exe is not a 32-bit program" >&2; exit 1; }

    echo "== dist/windows"
    rm -rf dist/windows dist/Tonefalls-windows.zip dist/Tonefalls-windows-setup.exe
    mkdir -p dist/windows/help
    cp "$exe" build-win-host/data/main.bmp build-win-host/data/title.bmp build-win-host/data/title-en.bmp build-win-host/data/result.bmp dist/windows/
    cp build-win-host/data/help/help.html build-win-host/data/help/help-en.html build-win-host/data/help/help.css dist/windows/help/
    # The songs of our own, composed on the build machine, in a folder of their own.
    mkdir -p dist/windows/songs
    cp build-win-host/data/songs/*.mid dist/windows/songs/
    # The installer names every file it installs, so its uninstaller removes exactly those and
    # never a song the player added to the folder.
    songs_list="$root/build-win-host/windows-songs.nsh"
    {
        echo '!macro BundledSongs DO'
        (cd dist/windows && for song in songs/*.mid; do printf '  ${DO} "%s"\n' "${song//\//\\}"; done)
        echo '!macroend'
    } >"$songs_list"
    # The folder itself goes into the zip, so unzipping gives one "Tonefalls" folder.
    stage=$(mktemp -d)
    cp -r dist/windows "$stage/Tonefalls"
    (cd "$stage" && zip -q -r -X "$root/dist/Tonefalls-windows.zip" Tonefalls)
    rm -rf "$stage"

    echo "== dist/Tonefalls-windows-setup.exe"
    # The one version number, as the build took it from project() in CMakeLists.txt.
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' build-win32/CMakeCache.txt)
    makensis -V2 -DVERSION="$version" -DSOURCE="$root/dist/windows" -DICON="$icons/tonefalls.ico" \
             -DSONGS="$songs_list" \
             -DOUTFILE="$root/dist/Tonefalls-windows-setup.exe" res/windows/tonefalls.nsi
    ls -l dist/windows/Tonefalls.exe dist/Tonefalls-windows.zip dist/Tonefalls-windows-setup.exe
fi
