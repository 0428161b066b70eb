# kelvora_dist(TARGET): copies a finished program into dist/ after each build.
function(kelvora_dist target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KELVORA_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${KELVORA_DIST_DIR}/
    VERBATIM)
endfunction()

# kelvora_add_subdirectories(): adds every folder below the current one that has a CMakeLists.txt, so each
# area (a test group, a tool, a benchmark) brings its own build rules without a central list.
function(kelvora_add_subdirectories)
  file(GLOB entries LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(entry ${entries})
    if(IS_DIRECTORY ${entry} AND EXISTS ${entry}/CMakeLists.txt)
      add_subdirectory(${entry})
    endif()
  endforeach()
endfunction()
