# The Debian package (scripts/package, or cpack -G DEB in a build folder): what the install
# rules put in place, under /usr, with the package dependencies worked out by dpkg-shlibdeps
# from the libraries the programs link (it needs dpkg-dev and file).
set(CPACK_PACKAGE_NAME brezzolo)
set(CPACK_PACKAGE_VENDOR "Brezzolo")
set(CPACK_PACKAGE_CONTACT
    "Brezzolo maintainers <maintainers@users.noreply.c-seed-a079ed47.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "APRS weather reports from a La Crosse WS23xx weather station")
# The package's long description, its lines as they stand.
set(CPACK_PACKAGE_DESCRIPTION [[Brezzolo reads the files the station's PC program Heavy Weather leaves on
disk and, about once a minute, writes the APRS weather report my_meteo.txt
that UI-View transmits. Its Italian main window shows the current conditions,
a pressure tendency and forecast, warnings, the day's extremes and a 12-hour
chart. The package also carries brezzolo-headless, the same conversion without
a window, and brezzolo-station-sim, a simulated station for trying it out.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # brezzolo_1.9.2_amd64.deb
    set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)
