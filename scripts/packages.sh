# The Debian packages the build and the tests need (sourced by run.sh and test.sh).
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
                qt6-base-dev libfluidsynth-dev librtmidi-dev libasound2-dev fonts-ipafont-gothic
                timgm6mb-soundfont)
# Only the sanitized and fuzzing builds need clang and its runtime.
CHECK_PACKAGES=(clang libclang-rt-14-dev)
# The game's default General MIDI SoundFont, larger and fuller than the one the tests use.
GAME_PACKAGES=(fluid-soundfont-gm)
