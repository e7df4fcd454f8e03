# Pre-link step of the Windows DLL: keeps from the full module-definition file
# the exports that the objects define, so that the DLL links while exports are
# still being written. tools/check-dll-exports rejects such a DLL.
#   cmake -DNM=<nm> -DLISTED=<full .def> -DOUT=<linked .def> -DOBJECTS=<objs> -P FilterDef.cmake
cmake_minimum_required(VERSION 3.16)

execute_process(COMMAND ${NM} -g --defined-only ${OBJECTS}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} failed on the DLL's objects")
endif()
# 32-bit objects carry the cdecl underscore; the exported name does not.
string(REGEX MATCHALL "[ \t][TD][ \t]+_?[A-Za-z0-9_@]+" defined "${symbols}")
list(TRANSFORM defined REPLACE "^[ \t][TD][ \t]+" "")

file(STRINGS ${LISTED} lines)
set(content "")
set(absent "")
foreach(line ${lines})
  string(STRIP "${line}" name)
  set(decorated "_${name}")
  if(name STREQUAL "EXPORTS" OR name IN_LIST defined OR decorated IN_LIST defined)
    string(APPEND content "${line}\n")
  else()
    list(APPEND absent ${name})
  endif()
endforeach()
if(absent)
  list(LENGTH absent count)
  message(STATUS "evoplug.dll lacks ${count} listed export(s) not yet defined: ${absent}")
endif()
file(WRITE ${OUT} "${content}")
