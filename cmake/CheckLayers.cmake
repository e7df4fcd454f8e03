cmake_minimum_required(VERSION 3.16)
# Fails when a source folder includes a header of a folder it does not link:
#   cmake -DSOURCE_DIR=<repo> -DLAYERS=<build>/layers.txt -P CheckLayers.cmake
# LAYERS holds one line per folder, "folder=used,used,...".
# Outside src/, the stand-in engine, the tools, the benchmarks, the fuzzers and
# the end-to-end tests reach the library through include/evoplug.h only.
file(STRINGS ${LAYERS} lines)
set(problems "")
foreach(line ${lines})
  string(REGEX MATCH "^([a-z]+)=(.*)$" _ "${line}")
  set(folder ${CMAKE_MATCH_1})
  string(REPLACE "," ";" allowed "${CMAKE_MATCH_2}")
  list(APPEND allowed ${folder})
  file(GLOB files ${SOURCE_DIR}/src/${folder}/*.h ${SOURCE_DIR}/src/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} includes REGEX "^#include \"[a-z]+/")
    foreach(include ${includes})
      string(REGEX MATCH "\"([a-z]+)/" _ "${include}")
      if(NOT CMAKE_MATCH_1 IN_LIST allowed)
        file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
        string(APPEND problems "  ${shown}: ${include} (${folder} may use: ${allowed})\n")
      endif()
    endforeach()
  endforeach()
endforeach()
# Each outside folder may include the public header, a header of its own
# folder and, but for the host itself, the stand-in engine's; nothing with a
# folder in its name, but that the end-to-end tests may use the tests' own
# support headers. The unit benchmarks and the text fuzzer may include the
# subsystem they measure.
set(outside host tools/evolve bench bench/unit fuzz tests/e2e examples)
set(own_subsystem bench/unit/text_bench.cpp=text fuzz/text_fuzz.cpp=text)
foreach(folder ${outside})
  file(GLOB files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file ${files})
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
    file(STRINGS ${file} includes REGEX "^#include \"")
    foreach(include ${includes})
      string(REGEX MATCH "\"([^\"]+)\"" _ "${include}")
      set(header ${CMAKE_MATCH_1})
      set(allowed FALSE)
      if(header STREQUAL "evoplug.h" OR EXISTS ${SOURCE_DIR}/${folder}/${header})
        set(allowed TRUE)
      elseif(NOT folder STREQUAL "host" AND EXISTS ${SOURCE_DIR}/host/${header}
             AND NOT header MATCHES "/")
        set(allowed TRUE)
      elseif(folder STREQUAL "tests/e2e" AND header MATCHES "^support/[^/]+$"
             AND EXISTS ${SOURCE_DIR}/tests/${header})
        set(allowed TRUE)
      else()
        foreach(pair ${own_subsystem})
          string(REGEX MATCH "^(.*)=(.*)$" _ "${pair}")
          if(shown STREQUAL CMAKE_MATCH_1 AND header MATCHES "^${CMAKE_MATCH_2}/")
            set(allowed TRUE)
          endif()
        endforeach()
      endif()
      if(NOT allowed)
        string(APPEND problems "  ${shown}: ${include} (the public header, its own folder"
                               " or the host's only)\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "includes against the direction of the dependencies:\n${problems}")
endif()
