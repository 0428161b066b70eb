# kelvora_add_test(NAME SOURCES ... LIBS ... [LABELS ...] [ARGS ...])
# One executable per group of related cases: under Wine each process start costs seconds,
# so every executable is one CTest test that runs all of its cases (ARGS: further test program arguments).
function(kelvora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS;ARGS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  # Tests do not ship: their own code needs no intermediate code for link-time optimisation.
  if(WIN32)
    target_compile_options(${name} PRIVATE -fno-lto)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 ${ARG_ARGS})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS "${ARG_LABELS}")
endfunction()

# kelvora_add_fuzzer(NAME SOURCES ... LIBS ... [CORPUS dir]): a libFuzzer target (clang, KELVORA_FUZZ=ON,
# with KELVORA_SANITIZE=ON for AddressSanitizer and UBSan) and a short bounded run of it as a test.
set(KELVORA_FUZZ_SECONDS 20 CACHE STRING "Seconds each fuzz target runs inside the test suite")
function(kelvora_add_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  set(seeds "")
  if(ARG_CORPUS)
    set(seeds ${ARG_CORPUS})
  endif()
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
      sh -c "mkdir -p '${corpus}' && exec \"$0\" -max_total_time=${KELVORA_FUZZ_SECONDS} -print_final_stats=1 '${corpus}' ${seeds}"
      $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS fuzz)
endfunction()
