# Warnings for our own targets; call brezzolo_warnings(target) on each. They stop the build only
# with BREZZOLO_WERROR (on in scripts/test and CI), so that a packager's newer compiler with a
# warning of its own still builds a release.
option(BREZZOLO_WERROR "Treat compiler warnings as errors" OFF)

function(brezzolo_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /utf-8)
        if(BREZZOLO_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                                 -Wconversion -Wno-sign-conversion)
        if(BREZZOLO_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
        # GCC 12 reports false -Wrestrict warnings inside libstdc++'s std::string at -O2 and
        # above (GCC bug 105329); later releases do not.
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
            target_compile_options(${target} PRIVATE -Wno-restrict)
        endif()
    endif()
endfunction()
