# Cross-builds the program for 32-bit Windows, the game's own platform, with MinGW-w64. The
# posix thread model is the one whose runtime has std::thread and std::mutex; everything is
# linked statically, so the program needs no DLL beyond those Windows ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TF_MINGW_TRIPLE i686-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/MingwCommon.cmake)

# Doubles are computed in SSE2 registers, in IEEE double precision throughout. The x87 unit's
# default would keep intermediates in 80-bit extended precision, so a reciprocal-first
# percentage or a tick-to-millisecond truncation could land one unit away from what every
# other build computes. Every 32-bit x86 processor since 2001 (Pentium 4, Athlon 64) has SSE2.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
