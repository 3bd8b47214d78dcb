# The Windows setup program (NSIS, in Greek) and a portable zip of the three
# programs and the help file: the target windows-setup.
set(LOMIRA_RELEASE ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
find_program(LOMIRA_MAKENSIS makensis REQUIRED)

set(setup ${CMAKE_BINARY_DIR}/Lomira-${LOMIRA_RELEASE}-setup.exe)
add_custom_command(OUTPUT ${setup}
  COMMAND ${LOMIRA_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${LOMIRA_RELEASE} -DBIN=${CMAKE_BINARY_DIR}
          -DSRC=${CMAKE_SOURCE_DIR} -DOUT=${setup} ${CMAKE_SOURCE_DIR}/data/windows/setup.nsi
  DEPENDS Lomira LomiraView lomira-catalogue ${CMAKE_BINARY_DIR}/ZELKOR.HLP README.md data/windows/setup.nsi data/lomira.ico
  VERBATIM)

set(portable Lomira-${LOMIRA_RELEASE}-portable)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${portable}.zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${portable}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${portable}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Lomira> $<TARGET_FILE:LomiraView> $<TARGET_FILE:lomira-catalogue>
          ${CMAKE_BINARY_DIR}/ZELKOR.HLP ${CMAKE_SOURCE_DIR}/README.md ${portable}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${portable}.zip --format=zip ${portable}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS Lomira LomiraView lomira-catalogue ${CMAKE_BINARY_DIR}/ZELKOR.HLP README.md
  VERBATIM)

add_custom_target(windows-setup DEPENDS ${setup} ${CMAKE_BINARY_DIR}/${portable}.zip)
