# The layers, each a library that sees only its own folder and the layers below it. A layer's
# include directory is a folder of the build tree holding links to just those source folders, so
# an include that points up ("game/..." in song/) names no file and fails to build.
#
#   tonefalls_platform  the seams (platform/*.h; not the backends in platform/midi, platform/win32)
#   tonefalls_song      song/      over the seams
#   tonefalls_chart     chart/     over song
#   tonefalls_game      game/      over chart
#   tonefalls_app       app/       the toolkit-free shell, over game (app/CMakeLists.txt)
#   tonefalls_core      the three core layers, plus the whole source tree: for the backends,
#                       views, tools and tests that stand above every layer.
# Each folder's CMakeLists.txt says which layers its library stands on.
set(TF_LAYER_INCLUDE_DIR ${CMAKE_BINARY_DIR}/layers)

# A folder of links that makes `folder` visible as "folder/..." to `target` and its users.
function(tf_layer_folder target folder)
    set(dir ${TF_LAYER_INCLUDE_DIR}/${folder})
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${dir}/${folder} SYMBOLIC)
    target_include_directories(${target} PUBLIC ${dir})
endfunction()

# One layer: the library `target` of the sources in `folder`, over the libraries after it.
function(tf_layer target folder)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    add_library(${target} STATIC ${sources})
    tf_layer_folder(${target} ${folder})
    target_link_libraries(${target} PUBLIC ${ARGN})
    tf_warnings(${target})
endfunction()
