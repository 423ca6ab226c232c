# Cross-builds the program for 32-bit Windows, the game's own platform, with MinGW-w64. The
# posix thread model is the one whose runtime has std::thread and std::mutex; everything is
# linked statically, so the program needs no DLL beyond those Windows ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TF_MINGW_TRIPLE i686-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/MingwCommon.cmake)
