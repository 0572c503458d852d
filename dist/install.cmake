# Installation (cmake --install) and the Debian package (cpack -G DEB):
# the program, its desktop entry, icons, puzzle-file type, AppStream metainfo
# and man page. Included from the top-level CMakeLists.txt when the UI is built.
include(GNUInstallDirs)

set(DOZUDO_APP_ID example.vorlane.Dozudo)
set(dist ${CMAKE_CURRENT_LIST_DIR})

find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(DOZUDO_ICON_SIZES 16 24 32 48 64 128 256)
set(icon_pngs)
foreach(size ${DOZUDO_ICON_SIZES})
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${DOZUDO_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${dist}/${DOZUDO_APP_ID}.svg
    DEPENDS ${dist}/${DOZUDO_APP_ID}.svg VERBATIM)
  list(APPEND icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
# Debian keeps man pages compressed.
set(man_gz ${CMAKE_BINARY_DIR}/man/dozudo.6.gz)
add_custom_command(OUTPUT ${man_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
  COMMAND sh -c "gzip -9nc '${dist}/dozudo.6' > '${man_gz}'"
  DEPENDS ${dist}/dozudo.6 VERBATIM)
# The Debian changelog, compressed the same way.
set(changelog_gz ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND sh -c "gzip -9nc '${dist}/changelog' > '${changelog_gz}'"
  DEPENDS ${dist}/changelog VERBATIM)
add_custom_target(dozudo_dist_files ALL DEPENDS ${icon_pngs} ${man_gz} ${changelog_gz})

install(TARGETS dozudo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (the package) also drops the compiler's notes, as Debian's own tools do.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/dozudo\")
endif()")
install(FILES ${dist}/copyright ${changelog_gz} DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${dist}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME dozudo)
install(FILES ${dist}/${DOZUDO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${dist}/${DOZUDO_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${dist}/${DOZUDO_APP_ID}-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${DOZUDO_APP_ID}.xml)
install(FILES ${dist}/${DOZUDO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The Debian package: built from the same rules with `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME dozudo)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_CONTACT "DOZUDO maintainers <dozudo@vorlane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sudoku helper that checks, hints and fills")
set(CPACK_PACKAGE_DESCRIPTION
    "DOZUDO shows a Sudoku board in one window: type in or open a puzzle, then\nsolve it with options, hints, automatic filling, option reduction and take\nback.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY dozudo)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": Debian keeps games in /usr/games, and the program stays in /usr/bin, where the
# desktop entry, the README and every PATH (root's and sudo's too) find it. It is a helper
# that reasons on the puzzle (options, hints, reduction) rather than a game of its own.
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# qt6-wayland: the platform plugin that runs the program natively on a Wayland session.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.vorlane.example/math/")
set(CPACK_STRIP_FILES ON)
include(CPack)
