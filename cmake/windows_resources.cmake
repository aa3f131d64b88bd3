# The Windows programs' resources: a version block that Explorer shows under Properties > Details,
# from the one version number of the project, and the icon of the student program.
enable_language(RC)

# The version as Windows keeps it: four numbers, the missing ones 0.
set(version_parts "")
foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    list(APPEND version_parts 0)
  else()
    list(APPEND version_parts "${PROJECT_VERSION_${part}}")
  endif()
endforeach()
list(JOIN version_parts "," STEPWISE_VERSION_COMMAS)

# Gives the program a version resource, and the icon when one is named.
# Usage: stepwise_add_version_resource(<target> <file description> [<icon file>])
function(stepwise_add_version_resource target description)
  set(STEPWISE_RC_FILE_NAME "${target}.exe")
  set(STEPWISE_RC_INTERNAL_NAME "${target}")
  set(STEPWISE_RC_DESCRIPTION "${description}")
  set(STEPWISE_RC_ICON "")
  if(ARGC GREATER 2)
    file(TO_CMAKE_PATH "${ARGV2}" icon)
    set(STEPWISE_RC_ICON "1 ICON \"${icon}\"")
  endif()
  set(rc "${CMAKE_BINARY_DIR}/generated/${target}_version.rc")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/version_info.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
endfunction()
