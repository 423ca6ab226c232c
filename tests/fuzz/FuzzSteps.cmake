# The steps the song and key-file fuzzers take, as a library of its own: the fuzz targets link it,
# and so does the song suite, which replays the regressions through the same steps.
if(NOT TARGET tf_fuzz_steps)
    add_library(tf_fuzz_steps STATIC ${CMAKE_CURRENT_LIST_DIR}/FuzzSteps.cpp ${CMAKE_CURRENT_LIST_DIR}/FuzzSteps.h)
    target_link_libraries(tf_fuzz_steps PUBLIC tonefalls_core)
    tf_warnings(tf_fuzz_steps)
endif()
