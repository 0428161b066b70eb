# Warnings, sanitizers and the Windows target version for every target in the tree.
add_compile_options(-Wall -Wextra)
include_directories(${CMAKE_SOURCE_DIR})

if(WIN32)
  # Windows 7 API level with Unicode W functions; the program runs on Windows 10/11.
  add_compile_definitions(UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
  # What ships is built for size: its time goes into the system's work, not its own code, and the pixel
  # loops that do count ask for -O3 themselves. Each function and datum gets a section of its own, so the
  # linker leaves out what nothing reaches (where unwind tables do not keep it). Debug information is
  # compiled in and moved into a file of its own beside each program (kelvora_dist).
  set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
  set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
  # Everything runs on the one GUI thread, so function-local statics need no locks (which would bring the
  # threads library along).
  add_compile_options(-g -ffunction-sections -fdata-sections -fno-threadsafe-statics)
  add_link_options(-Wl,--gc-sections)
  # The objects carry their intermediate code too, so that shipped programs are optimised across objects at
  # link time (kelvora_dist), while other programs, tests among them, link the ready machine code as usual
  # (the linker would otherwise optimise whatever carries intermediate code).
  add_compile_options($<$<CONFIG:Release>:-flto> $<$<CONFIG:Release>:-ffat-lto-objects>)
  add_link_options($<$<CONFIG:Release>:-fno-lto>)
endif()

if(KELVORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Coverage feedback for the fuzz targets, in every library they drive.
if(KELVORA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
