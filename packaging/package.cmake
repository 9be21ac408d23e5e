# SPDX-License-Identifier: GPL-3.0-or-later
# Installation layout and the Debian package (CPack's DEB generator; scripts/package runs it).
# Programs go to <prefix>/bin, their help pages to <prefix>/share/tessmar/docs (where the help
# menu of an installed program looks), the desktop integration and the manual pages to
# <prefix>/share as the freedesktop and Debian conventions want them.
include(GNUInstallDirs)

set(TESSMAR_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS tessmar-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET tessmar)
  install(TARGETS tessmar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${TESSMAR_PACKAGING_DIR}/tessmar.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${TESSMAR_PACKAGING_DIR}/tessmar.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
# Help pages and the project file type serve tessmar-cli's users as well.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tessmar/docs)
install(FILES ${TESSMAR_PACKAGING_DIR}/tessmar-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME tessmar.xml)

# Manual pages and the changelog are installed compressed, reproducibly (no name or time stamp).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(TESSMAR_GZIPPED "")
function(tessmar_gzip source output)
  add_custom_command(OUTPUT ${output} DEPENDS ${source}
    COMMAND ${GZIP_PROGRAM} -9 -n -c ${source} > ${output} VERBATIM)
  set(TESSMAR_GZIPPED ${TESSMAR_GZIPPED} ${output} PARENT_SCOPE)
endfunction()
set(TESSMAR_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package-files)
file(MAKE_DIRECTORY ${TESSMAR_PACKAGE_FILES})
# The manual pages' headers name the project's version.
foreach(page tessmar-cli.1 tessmar.1)
  configure_file(${TESSMAR_PACKAGING_DIR}/${page} ${TESSMAR_PACKAGE_FILES}/${page} @ONLY)
  tessmar_gzip(${TESSMAR_PACKAGE_FILES}/${page} ${TESSMAR_PACKAGE_FILES}/${page}.gz)
endforeach()
tessmar_gzip(${TESSMAR_PACKAGING_DIR}/changelog ${TESSMAR_PACKAGE_FILES}/changelog.gz)
add_custom_target(package_files ALL DEPENDS ${TESSMAR_GZIPPED})
install(FILES ${TESSMAR_PACKAGE_FILES}/tessmar-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET tessmar)
  install(FILES ${TESSMAR_PACKAGE_FILES}/tessmar.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${TESSMAR_PACKAGE_FILES}/changelog.gz ${TESSMAR_PACKAGING_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessmar)

# cpack installs what is already built: scripts/package builds the programs it needs and the
# package test packs the binaries of its own build, so neither builds the whole tree again.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE TESSMAR_DEB_ARCH
  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT TESSMAR_DEB_ARCH)
  set(TESSMAR_DEB_ARCH amd64)
endif()
set(TESSMAR_PACKAGE_MAINTAINER "Tessmar developers <tessmar@example.org>" CACHE STRING
  "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessmar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tessmar developers")
set(CPACK_PACKAGE_CONTACT ${TESSMAR_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reinforcement drawings of reinforced-concrete buildings")
set(CPACK_PACKAGE_DESCRIPTION "Tessmar is a drafting program for the reinforcement of reinforced-concrete
buildings. The engineer lays out the grid lines, turns lines into girders and
columns, gives each member a section with its concrete size and bars, and the
program draws the girder and column section lists, the rebar arrangement
drawings and the framing plans and elevations as DXF or PDF sheets.

The interface is Japanese. tessmar-cli does the same work from scripts.")
set(CPACK_PACKAGE_FILE_NAME tessmar_${PROJECT_VERSION}_${TESSMAR_DEB_ARCH})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME ${CPACK_PACKAGE_FILE_NAME}.deb)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${TESSMAR_DEB_ARCH})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TESSMAR_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: the Japanese font the drawings and the window use and Qt's own
# Japanese texts for its standard dialogs. The X11 and offscreen platform plugins come with
# libqt6gui6, which dpkg-shlibdeps names; the Wayland plugin is only recommended, as without it
# Qt runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)

# The package test packs this build's own binaries (no second build) and checks the result.
if(TARGET tessmar)
  add_test(NAME Package.DebianPackage
    COMMAND ${CMAKE_SOURCE_DIR}/tests/package/package_test.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
  set_tests_properties(Package.DebianPackage PROPERTIES TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
