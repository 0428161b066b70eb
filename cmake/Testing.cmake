# kelvora_add_test(NAME SOURCES ... LIBS ... [LABELS ...])
# One executable per group of related cases: under Wine each process start costs seconds,
# so every executable is one CTest test that runs all of its cases.
function(kelvora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS "${ARG_LABELS}")
endfunction()
