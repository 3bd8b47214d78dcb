# The About box's contact lines are build settings (see the README):
#
#   LOMIRA_WEB_ADDRESS    the README that the package (or the Windows setup) installs
#   LOMIRA_VIEW_WEB_ADDRESS  the students' edition's own: that README's part
#                         on the students' edition
#   LOMIRA_EMAIL          whoever builds the programs: DEBEMAIL or EMAIL, as
#                         Debian's packaging tools read them; else none, and
#                         the About box's e-mail line names no address
#   LOMIRA_RIGHTS_HOLDER  the makers of Lomira
#
# The defaults hold for any build of this source; a school or a distributor
# that builds its own sets its own.

set(LOMIRA_PACKAGE_PREFIX /usr)
set(LOMIRA_DOC_DIR share/doc/lomira)

# An address made up from the login and the machine's name would reach nobody.
set(builder_email "$ENV{DEBEMAIL}")
if(builder_email STREQUAL "")
  set(builder_email "$ENV{EMAIL}")
endif()

# On Windows the README stands beside the programs, wherever they were
# installed: a relative address is taken from the programs' own folder.
if(WIN32)
  set(default_web_address "README.md")
else()
  set(default_web_address "file://${LOMIRA_PACKAGE_PREFIX}/${LOMIRA_DOC_DIR}/README.md")
endif()
set(LOMIRA_WEB_ADDRESS "${default_web_address}" CACHE STRING "The About box's web address")
set(LOMIRA_VIEW_WEB_ADDRESS "${LOMIRA_WEB_ADDRESS}#the-students-edition"
    CACHE STRING "The students' edition's About box web address")
set(LOMIRA_EMAIL "${builder_email}" CACHE STRING "The About box's contact e-mail address")
set(LOMIRA_RIGHTS_HOLDER "Οι δημιουργοί του Lomira" CACHE STRING "The About box's rights holder")

# cpack says so when the About box will name no e-mail address.
set(CPACK_LOMIRA_EMAIL "${LOMIRA_EMAIL}")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/PackageChecks.cmake)

# Written into C++ string literals.
foreach(setting WEB_ADDRESS VIEW_WEB_ADDRESS EMAIL RIGHTS_HOLDER)
  string(REPLACE "\\" "\\\\" escaped "${LOMIRA_${setting}}")
  string(REPLACE "\"" "\\\"" LOMIRA_${setting}_LITERAL "${escaped}")
endforeach()
configure_file(src/editions/AboutSettings.h.in ${CMAKE_BINARY_DIR}/generated/editions/AboutSettings.h @ONLY)
