# The layers of src/: one static library per folder of src/layers.txt, linked only to the folders
# the table allows. Included by the top-level CMakeLists.txt.

include(${CMAKE_CURRENT_LIST_DIR}/layer_table.cmake)

stepwise_read_layer_table("${PROJECT_SOURCE_DIR}/src/layers.txt")
foreach(folder IN LISTS STEPWISE_LAYERS)
  # Each front end is built only where it is the chosen one.
  if((folder STREQUAL "frontends/qt" AND NOT STEPWISE_QT) OR (folder STREQUAL "frontends/win32" AND NOT STEPWISE_WIN32))
    continue()
  endif()
  stepwise_layer_target("${folder}" target)
  file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp")
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  string(REPLACE "/" "_" key "${folder}")
  set(uses "")
  foreach(used IN LISTS STEPWISE_LAYER_USES_${key})
    stepwise_layer_target("${used}" used_target)
    list(APPEND uses ${used_target})
  endforeach()
  if(sources)
    add_library(${target} STATIC ${sources})
    target_link_libraries(${target} PUBLIC ${uses})
  else()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${uses})
  endif()
endforeach()

# The zip reader inflates with zlib: linked in statically on Windows, so that no program needs
# zlib1.dll.
if(WIN32)
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
target_link_libraries(stepwise_zip PRIVATE ZLIB::ZLIB)
# Reading a class ahead of its reports runs on a second thread.
find_package(Threads REQUIRED)
target_link_libraries(stepwise_system PUBLIC Threads::Threads)

# Every folder includes from src/; the version header is generated.
configure_file(cmake/stepwise_version.h.in ${CMAKE_BINARY_DIR}/generated/stepwise_version.h @ONLY)
target_include_directories(stepwise_format PUBLIC src ${CMAKE_BINARY_DIR}/generated)
