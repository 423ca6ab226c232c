# The Debian packages the build and the tests need (sourced by run.sh and test.sh).
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
                qt6-base-dev libfluidsynth-dev librtmidi-dev libasound2-dev libcli11-dev
                fonts-ipafont-gothic timgm6mb-soundfont)
# The sanitized and fuzzing builds need clang and its runtime, the format check clang-format; the package is checked with the
# validators of its desktop entry and AppStream metadata, and with lintian.
CHECK_PACKAGES=(clang clang-format libclang-rt-14-dev desktop-file-utils appstream lintian)
# What cpack needs for the Debian package: dpkg-shlibdeps (in dpkg-dev) and file find the
# libraries the programs depend on.
PACKAGE_PACKAGES=(dpkg-dev file)
# The game's default General MIDI SoundFont, larger and fuller than the one the tests use.
GAME_PACKAGES=(fluid-soundfont-gm)
