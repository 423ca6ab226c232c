#!/usr/bin/env bash
# Installs what is missing, builds the Release programs in build-release/ and makes the Debian
# package there: build-release/tonefalls_<version>_<arch>.deb. Install it with
#   sudo apt install ./build-release/tonefalls_*.deb
# TF_WERROR=ON in the environment (./test.sh sets it) turns warnings into errors.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

build=build-release
# The package installs under /usr, with the programs in /usr/games as Debian keeps those of
# games. The programs are hardened as Debian's own packages are: checked buffer functions, stack
# protector, read-only relocations bound at start.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DTF_INSTALL_PROGRAM_DIR=games -DTF_BUILD_TESTS=OFF -DTF_WERROR="${TF_WERROR:-OFF}" \
      -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" \
      -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now" >/dev/null
cmake --build "$build" -j "${JOBS:-$(nproc)}"
rm -f "$build"/tonefalls_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/tonefalls_*.deb
