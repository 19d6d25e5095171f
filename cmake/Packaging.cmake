# make package: a Debian package of the plug-in, the quorlin host, the factory presets and the
# documentation, for the /usr prefix (the "package" and "release" presets configure the build with
# it, so that the plug-in's compiled-in data folder is the package's).
set(CPACK_PACKAGE_NAME quorlin-chorus)
set(CPACK_PACKAGE_VENDOR "Quorlin Plugins")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quorlin Plugins <support@quorlin.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "eight-voice stereo chorus, VST 2.4 plug-in")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorlin Chorus is an eight-voice stereo chorus for VST 2.4 hosts, with LFO,
XY and combinator modulation of every voice. The package holds the plug-in
for Linux hosts, its factory presets and quorlin, a command-line host that
renders audio files through it.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quorlin.example/chorus")
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR})

# Debian wants a compressed changelog beside the copyright file, even for a native package.
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in ${PROJECT_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
    COMMAND gzip -n -9 -c ${PROJECT_BINARY_DIR}/changelog > ${PROJECT_BINARY_DIR}/changelog.gz
    DEPENDS ${PROJECT_BINARY_DIR}/changelog
    VERBATIM)
add_custom_target(quorlin_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION share/doc/quorlin-chorus)
include(CPack)
