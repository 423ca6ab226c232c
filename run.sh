#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it. The game finds its pictures and help
# page in the build's data folder beside it and keeps its keys in ~/.config/tonefalls; it is
# started from play/ (made if missing), a folder of your own for songs, whose Tonefalls.ini, left
# there by earlier versions, is read until the config folder has one. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${GAME_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target tonefalls tonefalls-cli

mkdir -p play
cd play
exec ../build/app/tonefalls "$@"
