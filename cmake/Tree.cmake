# kelvora_dist(TARGET): copies a finished program into dist/ after each build. A Windows program ships
# optimised across its objects at link time (without partitions: GCC 12 for MinGW, 32-bit, finds clashing
# section names when it splits or even streams one partition; its use-before-set analysis across objects
# reports std::optional values falsely, so that warning is left to the compilation of each object) and
# stripped; its debug information goes first into TARGET.exe.debug beside it in the build folder, which the
# stripped program names (GNU debug link), so debuggers find it there.
function(kelvora_dist target)
  if(WIN32)
    target_link_options(${target} PRIVATE "$<$<CONFIG:Release>:-flto;-flto-partition=none;-Wno-maybe-uninitialized>")
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
      COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
        $<TARGET_FILE:${target}>
      VERBATIM)
  endif()
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
