# 64-bit Windows (x86-64): the same code built wide, for Wine without its 32-bit part.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW-w64.cmake)
