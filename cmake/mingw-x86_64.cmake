# Cross-builds the program for 64-bit Windows with MinGW-w64. The posix thread model is the one
# whose runtime has std::thread and std::mutex; everything is linked statically, so the programs
# need no DLL beyond those Windows ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TF_MINGW_TRIPLE x86_64-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/MingwCommon.cmake)
