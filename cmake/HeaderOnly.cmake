# xxHash and nlohmann-json, used header-only (Debian's libxxhash-dev and nlohmann-json3-dev).
# A cross build cannot put the build machine's /usr/include on its search path, where the host's
# C library headers would shadow MinGW's, so the two headers are copied into the build tree and
# only that folder is searched.
if(TARGET tf_header_only)
    return()
endif()
find_path(TF_XXHASH_INCLUDE xxhash.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(TF_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(tf_header_only_dir ${CMAKE_BINARY_DIR}/header-only)
file(COPY ${TF_XXHASH_INCLUDE}/xxhash.h DESTINATION ${tf_header_only_dir})
file(COPY ${TF_NLOHMANN_INCLUDE}/nlohmann DESTINATION ${tf_header_only_dir})
add_library(tf_header_only INTERFACE)
target_include_directories(tf_header_only SYSTEM INTERFACE ${tf_header_only_dir})
