#!/usr/bin/env bash
# Cross-builds the Windows program on this Debian machine with MinGW-w64, installing what is
# missing first:
#   build-win32/  32-bit (i686), the game's own platform: core, Windows pieces, resources, tests;
#   build-win64/  64-bit (x86_64): the same, for running the test suites under wine64, which
#                 starts where 32-bit Wine cannot.
# The icons are drawn by the artwork tool on the build machine (build-win-host/) and converted
# to .ico files for the resources.
# Usage: ./build-windows.sh [win32|win64|all]   (default all)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

which_builds=${1:-all}
case "$which_builds" in win32|win64|all) ;; *) echo "usage: $0 [win32|win64|all]" >&2; exit 2 ;; esac

WINDOWS_PACKAGES=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686
                  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest imagemagick)
scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

jobs=${JOBS:-$(nproc)}
root=$(pwd)
corpus=$(realpath -m "$root/../shared/corpus")

echo "== icons"
cmake -S . -B build-win-host -G Ninja -DCMAKE_BUILD_TYPE=Release -DTF_BUILD_TESTS=OFF >/dev/null
cmake --build build-win-host -j "$jobs" --target tonefalls-data
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
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" -DTF_CORE_ONLY=ON \
          -DTF_CORPUS_DIR="Z:$corpus" -DTF_WIN_ICON_DIR="$icons" >/dev/null
    # The shell's suite joins when its view lands on Windows; for now the core, the Windows
    # pieces and their suites.
    cmake --build "$dir" -j "$jobs" --target tonefalls_win32 tonefalls_resources \
          tf_song_tests tf_chart_tests tf_game_tests tf_win32_tests
}

start=$(date +%s)
if [ "$which_builds" != win64 ]; then cross_build build-win32 mingw-i686.cmake; fi
if [ "$which_builds" != win32 ]; then cross_build build-win64 mingw-x86_64.cmake; fi
echo "== cross builds took $(( $(date +%s) - start )) s"
