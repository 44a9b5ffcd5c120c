# cmake -DLUMIVEL_SOURCE_DIR=<src folder> -P check_layering.cmake
#
# Reads every #include "folder/..." of the files below src/ and fails when a file includes
# a folder its own folder may not include (see Layering.cmake), or when src/ holds a folder
# the layering does not place.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Layering.cmake)

if(NOT LUMIVEL_SOURCE_DIR)
  message(FATAL_ERROR "check_layering: LUMIVEL_SOURCE_DIR is not set")
endif()

set(violations)
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${LUMIVEL_SOURCE_DIR} ${LUMIVEL_SOURCE_DIR}/*)
foreach(folder IN LISTS folders)
  if(NOT IS_DIRECTORY ${LUMIVEL_SOURCE_DIR}/${folder})
    continue()
  endif()
  if(NOT folder IN_LIST LUMIVEL_LAYERS)
    list(APPEND violations "src/${folder}/ has no place in the layering (cmake/Layering.cmake)")
    continue()
  endif()
  set(allowed ${folder} ${LUMIVEL_MAY_INCLUDE_${folder}})
  string(REPLACE ";" ", " allowed_text "${LUMIVEL_MAY_INCLUDE_${folder}}")
  if(allowed_text STREQUAL "")
    set(allowed_text "no other folder")
  endif()
  file(GLOB_RECURSE sources RELATIVE ${LUMIVEL_SOURCE_DIR} ${LUMIVEL_SOURCE_DIR}/${folder}/*.h
       ${LUMIVEL_SOURCE_DIR}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${LUMIVEL_SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*$" "\\1" included "${line}")
      if(included IN_LIST LUMIVEL_LAYERS AND NOT included IN_LIST allowed)
        string(STRIP "${line}" line)
        list(APPEND violations "src/${source}: ${line} (${folder}/ may include only: ${allowed_text})")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Includes across the layering:\n  ${text}")
endif()
message(STATUS "check_layering: every include of src/ follows the layering")
