# Third-party libraries: zlib everywhere, libjpeg-turbo natively, GoogleTest from Debian's sources,
# Google Benchmark natively.
if(WIN32)
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)

if(NOT WIN32)
  find_package(JPEG REQUIRED)
endif()

set(KELVORA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${KELVORA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

if(NOT WIN32 AND NOT KELVORA_SANITIZE)
  find_package(benchmark REQUIRED)
endif()
# Third-party code is not ours to warn about; GoogleTest does not ship, so it needs no link-time optimisation.
foreach(t gtest gtest_main)
  target_compile_options(${t} PRIVATE -w $<$<PLATFORM_ID:Windows>:-fno-lto>)
endforeach()
