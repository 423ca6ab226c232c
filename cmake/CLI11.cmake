# CLI11, the command-line parser of both programs: header-only (Debian libcli11-dev), so the
# MinGW builds use the same headers. A cross compiler must not search the build machine's
# /usr/include (its C library headers would shadow MinGW's), so the headers are reached through
# a folder of the build tree holding nothing but a link to CLI/.
find_path(TF_CLI11_INCLUDE_DIR NAMES CLI/CLI.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED
          DOC "The folder holding CLI11's CLI/ headers")
set(tf_cli11_link_dir ${CMAKE_BINARY_DIR}/cli11-include)
file(MAKE_DIRECTORY ${tf_cli11_link_dir})
file(CREATE_LINK ${TF_CLI11_INCLUDE_DIR}/CLI ${tf_cli11_link_dir}/CLI SYMBOLIC COPY_ON_ERROR)
add_library(tf_cli11 INTERFACE)
target_include_directories(tf_cli11 SYSTEM INTERFACE ${tf_cli11_link_dir})
