# The folders of src/ stack on each other: a folder may include its own headers and those of
# the folders below it, never one above or beside it, and only src/qt may include Qt. Every
# library and program of src/ declares its folder and what lies below it with
# brezzolo_layer(target FOLDER name BELOW folders...); the build then checks the includes of
# that folder before compiling the target, so a wrong-way #include stops the build with a
# message naming the file and the include.

set(BREZZOLO_LAYER_FOLDERS common io input config station assessment records aprs_is radio web app
    qt headless win32)

function(brezzolo_layer target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "FOLDER" "BELOW")
    set(folder ${PROJECT_SOURCE_DIR}/src/${arg_FOLDER})
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.h ${folder}/*.cpp)
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.layering)
    # Lists travel as comma-separated texts, so that the command line keeps them whole.
    string(JOIN "," allowed ${arg_FOLDER} ${arg_BELOW})
    string(JOIN "," layers ${BREZZOLO_LAYER_FOLDERS})
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} "-DFOLDER=${folder}" "-DNAME=${arg_FOLDER}"
                "-DALLOWED=${allowed}" "-DLAYERS=${layers}"
                "-DSTAMP=${stamp}" -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayering.cmake
        DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/CheckLayering.cmake
        COMMENT "Checking the includes of src/${arg_FOLDER}"
        VERBATIM)
    add_custom_target(${target}_layering DEPENDS ${stamp})
    add_dependencies(${target} ${target}_layering)
endfunction()
