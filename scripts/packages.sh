# The Debian packages the build and the tests need (sourced by run.sh and test.sh).
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
                libxxhash-dev nlohmann-json3-dev
                qt6-base-dev libfluidsynth-dev librtmidi-dev libasound2-dev libcli11-dev
                fonts-ipafont-gothic timgm6mb-soundfont)
# The sanitized and fuzzing builds need clang and its runtime, the format check clang-format; the package is checked with the
# validators of its desktop entry and AppStream metadata, and with lintian.
CHECK_PACKAGES=(clang clang-format libclang-rt-14-dev desktop-file-utils appstream lintian)
# What cpack needs for the Debian package: dpkg-shlibdeps (in dpkg-dev) and file find the
# libraries the programs depend on.
PACKAGE_PACKAGES=(dpkg-dev file)
# The game's default General MIDI SoundFont, larger and fuller than the one the tests use, and
# Qt's own texts (the file chooser's, the standard buttons') in Japanese.
GAME_PACKAGES=(fluid-soundfont-gm qt6-translations-l10n)
# The Windows cross builds (MinGW-w64), their icons, the zip and the NSIS installer.
WINDOWS_PACKAGES=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686
                  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest imagemagick zip nsis)
# The Windows checks: 32-bit Wine (its i386 architecture is added when missing) on a virtual
# display, with xdotool and ImageMagick to press keys and take screenshots; wine64 is only the
# fall-back where 32-bit Wine cannot be installed (tests/windows/wine.sh).
WINE_PACKAGES=(wine wine32:i386)
WINE_FALLBACK_PACKAGES=(wine64)
DISPLAY_PACKAGES=(xvfb xauth xdotool x11-utils imagemagick)
