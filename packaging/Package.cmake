# A Debian package of the installed layout: `make package` (or `cpack` in the
# build folder) writes tidewell_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tidewell)
set(CPACK_PACKAGE_VENDOR "The Tidewell developers")
set(CPACK_PACKAGE_CONTACT "Tidewell developers <tidewell@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tidewell.example.org/")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "dive planner, gas calculators and dive profile viewer
Tidewell is a desktop tool for recreational and technical divers: nitrox,
gas consumption and tank calculators, a partial-pressure blending worksheet,
a dive planner for a team of two with the rule of thirds, and a viewer of
dive computer profiles in the DAN research format.")
# The libraries come from dpkg-shlibdeps; Qt's platform plugins are loaded at
# run time, so it cannot see them. The printouts name Arial and Courier New:
# Liberation Sans and Liberation Mono stand in for them with the same widths,
# so the pages look as designed (any other font still prints them whole).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
# Mail hand-over and opening files with their desktop program use xdg-utils.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

# Debian wants a copyright file and a changelog with every package.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tidewell)
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
    COMMAND gzip -9n --stdout ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog > ${changelog}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog)
add_custom_target(package_changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} packaging/copyright DESTINATION ${doc_dir})

# Every program in bin/ has a manual page; it is written in Markdown.
find_program(PANDOC pandoc REQUIRED)
configure_file(packaging/Tidewell.1.md.in packaging/Tidewell.1.md @ONLY)
set(manual ${CMAKE_CURRENT_BINARY_DIR}/packaging/Tidewell.1.gz)
add_custom_command(OUTPUT ${manual}
    COMMAND ${PANDOC} --standalone --to man ${CMAKE_CURRENT_BINARY_DIR}/packaging/Tidewell.1.md
            | gzip -9n > ${manual}
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/packaging/Tidewell.1.md)
add_custom_target(package_manual ALL DEPENDS ${manual})
install(FILES ${manual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

include(CPack)
