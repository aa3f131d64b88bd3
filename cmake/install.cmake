# What `cmake --install` puts in place. On Linux and other Unix systems the GNU layout: the
# programs, the desktop entry, the AppStream metainfo, the icon in the hicolor theme, the manual
# pages and the licence in the documentation folder. On Windows a portable folder: the programs,
# the README as text and the licence side by side.
include(GNUInstallDirs)

set(STEPWISE_MAINTAINER "The Stepwise developers <stepwise@example.org>" CACHE STRING
  "Maintainer of the Debian package and contact in its copyright file, as \"Name <address>\"")
set(STEPWISE_DATA_DIR "${PROJECT_SOURCE_DIR}/data")
set(STEPWISE_GENERATED_DIR "${CMAKE_BINARY_DIR}/generated")
set(STEPWISE_PROGRAMS stepwise-review stepwise-author)
# The example assignments, the first of them the built-in one as stepwise-author writes it.
file(GLOB STEPWISE_EXAMPLE_FILES "${PROJECT_SOURCE_DIR}/examples/*.stepwise")
if(TARGET stepwise)
  list(PREPEND STEPWISE_PROGRAMS stepwise)
endif()

# A text file with CR LF line ends, as Windows' own editors expect, from one or more sources.
# Usage: stepwise_write_crlf(<destination> <source>...)
function(stepwise_write_crlf destination)
  set(text "")
  foreach(source ${ARGN})
    file(READ "${source}" part)
    string(APPEND text "${part}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
  endforeach()
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${destination}" "${text}")
endfunction()

if(WIN32)
  stepwise_write_crlf("${STEPWISE_GENERATED_DIR}/README.txt" "${PROJECT_SOURCE_DIR}/README.md")
  # The programs built with mingw-w64 hold parts of its runtime, whose licences ask for their
  # notices to go with the programs.
  set(licence_sources "${PROJECT_SOURCE_DIR}/LICENSE")
  if(MINGW)
    list(APPEND licence_sources "${STEPWISE_DATA_DIR}/windows/third-party-notices.txt")
  endif()
  stepwise_write_crlf("${STEPWISE_GENERATED_DIR}/LICENSE" ${licence_sources})
  install(TARGETS ${STEPWISE_PROGRAMS} RUNTIME DESTINATION .)
  install(FILES "${STEPWISE_GENERATED_DIR}/README.txt" "${STEPWISE_GENERATED_DIR}/LICENSE" DESTINATION .)
  install(FILES ${STEPWISE_EXAMPLE_FILES} DESTINATION assignments)
  return()
endif()

install(TARGETS ${STEPWISE_PROGRAMS} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

if(TARGET stepwise)
  install(FILES "${STEPWISE_DATA_DIR}/${STEPWISE_APP_ID}.desktop"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
  # The assignment file type, so that a double-click on one opens it in the student program.
  install(FILES "${STEPWISE_DATA_DIR}/${STEPWISE_APP_ID}.mime.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages"
    RENAME "${STEPWISE_APP_ID}.xml")
  configure_file("${STEPWISE_DATA_DIR}/${STEPWISE_APP_ID}.metainfo.xml.in"
    "${STEPWISE_GENERATED_DIR}/${STEPWISE_APP_ID}.metainfo.xml" @ONLY)
  install(FILES "${STEPWISE_GENERATED_DIR}/${STEPWISE_APP_ID}.metainfo.xml"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
  set(icons "${CMAKE_INSTALL_DATADIR}/icons/hicolor")
  install(FILES "${STEPWISE_DATA_DIR}/icons/${STEPWISE_APP_ID}.svg" DESTINATION "${icons}/scalable/apps")
  foreach(size 48x48 256x256)
    install(FILES "${STEPWISE_DATA_DIR}/icons/${size}.png" DESTINATION "${icons}/${size}/apps"
      RENAME "${STEPWISE_APP_ID}.png")
  endforeach()
endif()

# Manual pages and the changelog go in compressed, with no time stamp in the gzip header
# (gzip -n), so the same sources give the same package.
include("${CMAKE_CURRENT_LIST_DIR}/release_date.cmake")
stepwise_rfc2822_date("${STEPWISE_RELEASE_DATE}" STEPWISE_RELEASE_DATE_RFC2822)
set(compressed "")
foreach(program ${STEPWISE_PROGRAMS})
  configure_file("${STEPWISE_DATA_DIR}/man/${program}.1.in" "${STEPWISE_GENERATED_DIR}/man/${program}.1" @ONLY)
  list(APPEND compressed "${STEPWISE_GENERATED_DIR}/man/${program}.1")
endforeach()
configure_file("${STEPWISE_DATA_DIR}/debian/changelog.in" "${STEPWISE_GENERATED_DIR}/doc/changelog" @ONLY)
configure_file("${STEPWISE_DATA_DIR}/man/stepwise-assignment.5.in" "${STEPWISE_GENERATED_DIR}/man/stepwise-assignment.5" @ONLY)
list(APPEND compressed "${STEPWISE_GENERATED_DIR}/man/stepwise-assignment.5")
list(APPEND compressed "${STEPWISE_GENERATED_DIR}/doc/changelog")
set(compressed_outputs "")
foreach(file ${compressed})
  add_custom_command(OUTPUT "${file}.gz" COMMAND gzip -9 -n -k -f "${file}" DEPENDS "${file}" VERBATIM)
  list(APPEND compressed_outputs "${file}.gz")
endforeach()
add_custom_target(stepwise_compressed_docs ALL DEPENDS ${compressed_outputs})
list(TRANSFORM STEPWISE_PROGRAMS APPEND ".1.gz" OUTPUT_VARIABLE man_pages)
list(TRANSFORM man_pages PREPEND "${STEPWISE_GENERATED_DIR}/man/")
install(FILES ${man_pages} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${STEPWISE_GENERATED_DIR}/man/stepwise-assignment.5.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man5")
install(FILES ${STEPWISE_EXAMPLE_FILES} DESTINATION "${CMAKE_INSTALL_DATADIR}/stepwise/assignments")

# The licence, in the machine-readable form of a Debian copyright file, which holds the whole text.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" licence)
string(FIND "${licence}" "Permission is hereby granted" grant)
string(SUBSTRING "${licence}" ${grant} -1 licence)
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " STEPWISE_LICENSE_TEXT " ${licence}")
configure_file("${STEPWISE_DATA_DIR}/debian/copyright.in" "${STEPWISE_GENERATED_DIR}/doc/copyright" @ONLY)
# The package's name in lower case, as Debian names the folder.
install(FILES "${STEPWISE_GENERATED_DIR}/doc/copyright" "${STEPWISE_GENERATED_DIR}/doc/changelog.gz"
  DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/stepwise")
