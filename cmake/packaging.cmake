# CPack: a Debian package from the Linux build, a zip from the Windows build. scripts/package.sh
# runs both. The names carry the one version number: stepwise_<version>_amd64.deb and
# stepwise-<version>-windows-x64.zip.

set(CPACK_PACKAGE_NAME stepwise)
set(CPACK_PACKAGE_VENDOR "The Stepwise developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "self-paced question-and-answer tutorial")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
  # A flat zip: the programs, README.txt and LICENSE at its top, the example assignments in
  # the folder assignments.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "stepwise-${PROJECT_VERSION}-windows-x64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION education)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${STEPWISE_MAINTAINER}")
  # The extended description under the summary; CPack indents it as Debian wants.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Stepwise walks a distance-learning student through an assignment one block
at a time. The student reads each block, types an answer, a self-critique or
notes, and rates their confidence; every answer is recorded with the block it
answers and the time in plain-text files handed in to the instructor.

The package holds the student program, stepwise, and the instructor's
programs: stepwise-review, which reads a class's hand-in files into reports,
and stepwise-author, which checks and previews assignment files that
instructors write themselves; example assignments come with it.")
  # The libraries the programs link, as dpkg-shlibdeps finds them, and Qt's platform plugins,
  # without which the window cannot open (Qt's libraries only recommend them).
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  # Control files with the permissions Debian asks for, whatever the umask of the build.
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)
