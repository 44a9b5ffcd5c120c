# lumivel_place_theme_folders(TARGET): puts the sample themes (assets/themes) as LumivelTheme\
# and the theme template (assets/模板) as 模板\ beside the target's executable, where the
# program looks for them, and refreshes them whenever a file in assets changes.
function(lumivel_place_theme_folders target)
  set(assets ${PROJECT_SOURCE_DIR}/assets)
  file(GLOB_RECURSE theme_files CONFIGURE_DEPENDS ${assets}/themes/* ${assets}/模板/*)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_theme_folders.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${assets}/themes ${CMAKE_CURRENT_BINARY_DIR}/LumivelTheme
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${assets}/模板 ${CMAKE_CURRENT_BINARY_DIR}/模板
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${theme_files}
    COMMENT "Placing LumivelTheme and 模板 beside ${target}"
    VERBATIM)
  add_custom_target(${target}_theme_folders DEPENDS ${stamp})
  add_dependencies(${target} ${target}_theme_folders)
endfunction()
