# Run by cpack before it builds the package (make package).
if("${CPACK_LOMIRA_EMAIL}" STREQUAL "")
  message(WARNING "LOMIRA_EMAIL is not set: the About box's e-mail line names no address. "
                  "Set it with make package LOMIRA_EMAIL=address (or DEBEMAIL or EMAIL).")
endif()
