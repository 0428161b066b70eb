# 32-bit Windows (x86): what ships. The program it installs and the token drivers it probes are 32-bit.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW-w64.cmake)
