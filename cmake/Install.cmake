# Installation as a desktop program: the two programs, the menu entry and the
# type of the set-up files it opens, the icon in the sizes a menu asks for,
# the AppStream metainfo, the manual pages and the ready experiments; and the
# Debian package built from the same rules with `cpack -G DEB`.
include(GNUInstallDirs)

foreach(program lumet lumet-batch)
  target_compile_definitions(${program} PRIVATE LUMET_VERSION="${PROJECT_VERSION}")
endforeach()

set(LUMET_APP_ID "org.example.lumet" CACHE STRING "AppStream component id (reverse domain name)")
set(LUMET_HOMEPAGE "https://lumet.example.org" CACHE STRING "Home page; the screenshot is its /screenshot.png")
set(LUMET_MAINTAINER "Lumet developers <lumet@example.org>" CACHE STRING "Maintainer of the Debian package")
set(LUMET_RELEASE_DATE "2026-12-08")

install(TARGETS lumet lumet-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/lumet.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The type of the set-up files, application/x-lumet, which the menu entry
# opens.
install(FILES ${CMAKE_SOURCE_DIR}/data/lumet-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME lumet.xml)
install(FILES ${CMAKE_SOURCE_DIR}/data/lumet.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The set-up files of the ready experiments, once the folder is there.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/lumet/examples
        OPTIONAL FILES_MATCHING PATTERN "*.lumet")

set(metainfo ${CMAKE_BINARY_DIR}/data/${LUMET_APP_ID}.metainfo.xml)
configure_file(${CMAKE_SOURCE_DIR}/data/lumet.metainfo.xml.in ${metainfo} @ONLY)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The PNG icons are drawn from the SVG at build time, so the SVG is the only
# picture kept in the sources and the sizes can never drift from it.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icons)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/data/icons/${size}x${size}/lumet.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/data/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${CMAKE_SOURCE_DIR}/data/lumet.svg
    DEPENDS ${CMAKE_SOURCE_DIR}/data/lumet.svg
    VERBATIM)
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  list(APPEND icons ${png})
endforeach()

# Manual pages, compressed as Debian keeps them.
set(manuals)
foreach(page lumet lumet-batch)
  set(man ${CMAKE_BINARY_DIR}/data/${page}.1)
  configure_file(${CMAKE_SOURCE_DIR}/data/${page}.1.in ${man} @ONLY)
  add_custom_command(
    OUTPUT ${man}.gz
    COMMAND gzip -9nf -k ${man}
    DEPENDS ${man}
    VERBATIM)
  install(FILES ${man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  list(APPEND manuals ${man}.gz)
endforeach()
add_custom_target(lumet_data ALL DEPENDS ${icons} ${manuals})

set(CPACK_PACKAGE_NAME lumet)
set(CPACK_PACKAGE_VENDOR "Lumet developers")
set(CPACK_PACKAGE_CONTACT "${LUMET_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive physics laboratory: motion in fields, least time and action")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Lumet is an interactive physics laboratory for the desktop. A student or\n"
       "teacher types the parameters of two bodies, chooses a field, and lets the\n"
       "first body fly freely or sends copies of it along a straight line, a\n"
       "cycloid, a parabola and a circular arc, comparing their travel times and\n"
       "action integrals (the brachistochrone race). A second experiment traces\n"
       "light rays through layers by Snell's law. The interface speaks Russian\n"
       "(the default) and English.\n"
       "lumet-batch runs the same laboratory from a script, without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LUMET_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${LUMET_HOMEPAGE}")
# The libraries the programs link come from dpkg-shlibdeps; the form's face,
# Liberation Sans Narrow, is named here (fonts-liberation: version 2 of the
# faces has no Narrow), and so are Qt's own translations, through which its
# dialogs speak the window's language (qt6-translations-l10n). CPack appends
# the libraries to this list.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
include(CPack)
