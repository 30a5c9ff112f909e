# Warnings are errors for our own targets; call brezzolo_warnings(target) on each.
function(brezzolo_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /utf-8)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                                 -Wconversion -Wno-sign-conversion -Werror)
    endif()
endfunction()
