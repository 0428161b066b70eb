# Warnings, sanitizers and the Windows target version for every target in the tree.
add_compile_options(-Wall -Wextra)
include_directories(${CMAKE_SOURCE_DIR})

if(WIN32)
  # Windows 7 API level with Unicode W functions; the program runs on Windows 10/11.
  add_compile_definitions(UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
endif()

if(KELVORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Coverage feedback for the fuzz targets, in every library they drive.
if(KELVORA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
