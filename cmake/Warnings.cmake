# Our own code is built with the strict warnings always. They are errors only where we check
# (TF_WERROR: ./test.sh, ./build-windows.sh and CI turn it on), so a user's or a packager's build,
# with any build type or compiler version, never fails on a warning a newer compiler invents.
option(TF_WERROR "Turn warnings into errors (the checks turn this on)" OFF)

function(tf_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(TF_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
        # GCC 12 at -O3 (the Release default) warns that libstdc++'s own std::string copies
        # overlap (-Wrestrict, GCC bug 105329), a false positive in inlined library code that no
        # change of ours can avoid. It stays a warning there; every other warning is an error.
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
            target_compile_options(${target} PRIVATE -Wno-error=restrict)
        endif()
    endif()
endfunction()
