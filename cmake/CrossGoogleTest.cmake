# A cross build cannot use the host's GoogleTest, so it builds Debian's GoogleTest sources with
# the same cross compiler and offers them under the names find_package(GTest) would give.
set(TF_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(NOT EXISTS ${TF_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${TF_GOOGLETEST_SOURCE_DIR}: install Debian's googletest")
endif()

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Its own CMake files name the libraries GTest::gtest and GTest::gtest_main.
add_subdirectory(${TF_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# The test programs cannot run on the build machine, so their tests are listed when ctest runs
# (through CMAKE_CROSSCOMPILING_EMULATOR, when one is set), not after each link.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
