# kelvora_dist(TARGET): copies a finished program into dist/ after each build.
function(kelvora_dist target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KELVORA_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${KELVORA_DIST_DIR}/
    VERBATIM)
endfunction()
