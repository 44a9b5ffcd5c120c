# libzip, libpng and zlib: Debian's -dev packages on Linux, the prefix that
# scripts/setup cross-builds for Windows.
if(WIN32)
  # Everything links statically into the Windows executables: no DLLs beside them.
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)

if(WIN32)
  find_library(LUMIVEL_ZIP_LIBRARY zip REQUIRED)
  find_path(LUMIVEL_ZIP_INCLUDE zip.h REQUIRED)
  add_library(lumivel_zip INTERFACE)
  target_include_directories(lumivel_zip INTERFACE ${LUMIVEL_ZIP_INCLUDE})
  target_link_libraries(lumivel_zip INTERFACE ${LUMIVEL_ZIP_LIBRARY} ZLIB::ZLIB bcrypt)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
  add_library(lumivel_zip INTERFACE)
  target_link_libraries(lumivel_zip INTERFACE PkgConfig::LIBZIP)
endif()

# The mingw-w64 tools that build the small Windows programs used as test fixtures
# (a fake Photoshop.exe with a version resource). Needed on Linux too.
find_program(LUMIVEL_MINGW_CC NAMES x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-gcc REQUIRED)
find_program(LUMIVEL_WINDRES NAMES x86_64-w64-mingw32-windres REQUIRED)
