# Installation in the usual places under the prefix, and the Debian package.
#
#   <prefix>/lib/lomira/Lomira, LomiraView, ZELKOR.HLP   the programs and their help file
#   <prefix>/bin/lomira, lomira-view                      launchers: start in the catalogue folder
#   <prefix>/bin/lomira-catalogue                         export, import, check; its man page in share/man/man1
#   <prefix>/share/applications/*.desktop                 desktop menu entries
#   <prefix>/share/icons/hicolor/<size>/apps/lomira.*     the program icon
#   <prefix>/share/doc/lomira/README.md                   the README, the About box's web address

include(GNUInstallDirs)

set(LOMIRA_PROGRAM_DIR lib/lomira)

install(TARGETS Lomira LomiraView RUNTIME DESTINATION ${LOMIRA_PROGRAM_DIR})
install(FILES data/ZELKOR.HLP DESTINATION ${LOMIRA_PROGRAM_DIR})
install(FILES README.md DESTINATION ${LOMIRA_DOC_DIR})

install(TARGETS lomira-catalogue RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Man pages are installed compressed, as Debian expects.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/lomira-catalogue.1.gz
                   COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/data/lomira-catalogue.1 > ${CMAKE_BINARY_DIR}/lomira-catalogue.1.gz
                   DEPENDS data/lomira-catalogue.1 VERBATIM)
add_custom_target(lomira-catalogue-man ALL DEPENDS ${CMAKE_BINARY_DIR}/lomira-catalogue.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/lomira-catalogue.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

foreach(launcher IN ITEMS "lomira;Lomira" "lomira-view;LomiraView")
  list(GET launcher 0 name)
  list(GET launcher 1 PROGRAM)
  configure_file(data/desktop/launcher.sh.in ${CMAKE_BINARY_DIR}/launchers/${name} @ONLY)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/launchers/${name} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

install(FILES data/desktop/lomira.desktop data/desktop/lomira-view.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/lomira.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES data/icons/lomira-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME lomira.png)
endforeach()

# The package holds the three programs: installing it (cpack, make install)
# builds nothing, not the test programs either; `make package` builds what
# it installs first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lomira)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
if(LOMIRA_EMAIL STREQUAL "")
  set(CPACK_PACKAGE_CONTACT "${LOMIRA_RIGHTS_HOLDER}")
else()
  set(CPACK_PACKAGE_CONTACT "${LOMIRA_RIGHTS_HOLDER} <${LOMIRA_EMAIL}>")
endif()
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "School lending library catalogue (librarian's and students' programs, catalogue tool)")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Qt libraries (the X11 platform plugin travels with Qt's GUI library)
# come from dpkg-shlibdeps; a font with Greek letters and the tool that finds
# the documents folder are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, xdg-user-dirs")
set(CPACK_PACKAGING_INSTALL_PREFIX ${LOMIRA_PACKAGE_PREFIX})
include(CPack)
