# The pictures built into the program, compiled into lumivel_imaging from assets/preview/
# (drawn by assets/make-preview-images.sh), so that Lumivel.exe, lumivel-cli and the tests
# read the same bytes; and libpng, which decodes and encodes them.
set(builtin_images)
foreach(pair "placeholder_splash;kPlaceholderSplashPng" "empty_overlay;kEmptyOverlayPng"
             "default_text;kDefaultTextPng" "backdrop_frame;kBackdropFramePng")
  list(GET pair 0 name)
  list(GET pair 1 symbol)
  set(input ${PROJECT_SOURCE_DIR}/assets/preview/${name}.png)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/builtin_${name}.cpp)
  add_custom_command(
    OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${source} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    COMMENT "Building in the picture ${name}.png")
  list(APPEND builtin_images ${source})
endforeach()
target_sources(lumivel_imaging PRIVATE ${builtin_images})
target_link_libraries(lumivel_imaging PUBLIC PNG::PNG)
