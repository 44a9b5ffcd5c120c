# lumivel_sources(OUT FOLDER...): the .cpp files of the given folders below the current
# source folder, with each platform's own halves: *_win.cpp only on Windows, *_posix.cpp
# only elsewhere.
function(lumivel_sources out)
  set(sources)
  foreach(folder IN LISTS ARGN)
    file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    list(APPEND sources ${folder_sources})
  endforeach()
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
  endif()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()
