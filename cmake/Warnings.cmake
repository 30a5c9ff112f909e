# Warnings are errors for our own targets; call brezzolo_warnings(target) on each.
function(brezzolo_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /utf-8)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                                 -Wconversion -Wno-sign-conversion -Werror)
        # GCC 12 reports false -Wrestrict warnings inside libstdc++'s std::string at -O2 and
        # above (GCC bug 105329); later releases do not.
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
            target_compile_options(${target} PRIVATE -Wno-restrict)
        endif()
    endif()
endfunction()
