# The module-definition file for the Windows DLL, generated from the one list
# of exports when the project is configured. Listing the plain names keeps the
# 32-bit exports free of the cdecl underscore and of stdcall suffixes.

function(evoplug_write_def_file def_file)
  set(list_header ${PROJECT_SOURCE_DIR}/include/evoplug.h)
  set(probe ${PROJECT_SOURCE_DIR}/cmake/export_names.probe)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${list_header} ${probe})

  # The preprocessor, not a pattern, reads the list: it sees exactly what the
  # compiler sees, conditionals and line continuations included.
  execute_process(
    COMMAND ${CMAKE_CXX_COMPILER} -E -P -x c++ -std=c++17 -I ${PROJECT_SOURCE_DIR}/include ${probe}
    OUTPUT_VARIABLE expanded
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot expand ${list_header}:\n${errors}")
  endif()
  string(REGEX MATCHALL "evoplug_export__[A-Za-z0-9_]+" tokens "${expanded}")
  if(NOT tokens)
    message(FATAL_ERROR "${list_header} yields no exports")
  endif()

  set(content "EXPORTS\n")
  set(seen "")
  foreach(token ${tokens})
    string(REGEX REPLACE "^evoplug_export__" "" name "${token}")
    if(name IN_LIST seen)
      message(FATAL_ERROR "${list_header} lists ${name} twice")
    endif()
    list(APPEND seen ${name})
    string(APPEND content "    ${name}\n")
  endforeach()

  # Rewritten only when it changes, so a reconfigure does not relink.
  set(old "")
  if(EXISTS ${def_file})
    file(READ ${def_file} old)
  endif()
  if(NOT old STREQUAL content)
    file(WRITE ${def_file} "${content}")
  endif()
endfunction()
