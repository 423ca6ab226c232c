#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from play/, the folder that holds its
# pictures and help page, so the key file persists there between runs. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${GAME_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target tonefalls tonefalls-cli

mkdir -p play
cmake --build build --target tonefalls-data >/dev/null 2>&1 || true
cp -r build/data/. play/ 2>/dev/null || true
cd play
exec ../build/app/tonefalls "$@"
