# The table of layers, src/layers.txt, as CMake reads it: for the build (layers.cmake) and for the
# layer check (check_layers.cmake).

# Reads the table: STEPWISE_LAYERS (the folders, bottom up) and, for each folder F,
# STEPWISE_LAYER_USES_<F with / as _> (the folders F may include). Shared with the layer check.
macro(stepwise_read_layer_table table)
  set(STEPWISE_LAYERS "")
  file(STRINGS "${table}" _stepwise_layer_lines)
  foreach(_line IN LISTS _stepwise_layer_lines)
    if(_line MATCHES "^[ \t]*(#.*)?$")
      continue()
    endif()
    if(NOT _line MATCHES "^([a-z0-9_/]+):(.*)$")
      message(FATAL_ERROR "${table}: cannot read the line \"${_line}\"")
    endif()
    set(_folder "${CMAKE_MATCH_1}")
    string(STRIP "${CMAKE_MATCH_2}" _uses)
    separate_arguments(_uses UNIX_COMMAND "${_uses}")
    string(REPLACE "/" "_" _key "${_folder}")
    set(STEPWISE_LAYER_USES_${_key} ${_uses})
    list(APPEND STEPWISE_LAYERS "${_folder}")
  endforeach()
endmacro()

# The library that builds a folder: stepwise_<last part of the folder's name>.
function(stepwise_layer_target folder out)
  get_filename_component(_name "${folder}" NAME)
  set(${out} "stepwise_${_name}" PARENT_SCOPE)
endfunction()
