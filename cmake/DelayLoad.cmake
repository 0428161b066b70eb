# kelvora_delay_import(NAME DLL EXPORT...): an interface library NAME through which a program binds the
# listed exports of DLL at their first call instead of at its start, so a run that never calls them never
# loads the library (a silent install makes no window and needs no common controls). The delay-import
# library is made with dlltool. Exports are written with their 32-bit argument size (Name@4); the 64-bit
# build drops it.
find_program(KELVORA_DLLTOOL ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool REQUIRED)

function(kelvora_delay_import name dll)
  set(dir ${CMAKE_BINARY_DIR}/delayimp)
  set(exports "")
  foreach(export ${ARGN})
    if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(REGEX REPLACE "@[0-9]+$" "" export ${export})
    endif()
    string(APPEND exports "  ${export}\n")
  endforeach()
  file(CONFIGURE OUTPUT ${dir}/${name}.def CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}")
  set(lib ${dir}/lib${name}.a)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(machine -m i386 --kill-at) # the imported names are the undecorated ones the library exports
  else()
    set(machine -m i386:x86-64)
  endif()
  if(NOT EXISTS ${lib} OR ${dir}/${name}.def IS_NEWER_THAN ${lib})
    execute_process(COMMAND ${KELVORA_DLLTOOL} ${machine} -d ${dir}/${name}.def -y ${lib} -D ${dll}
      RESULT_VARIABLE failed ERROR_VARIABLE message)
    if(failed)
      message(FATAL_ERROR "dlltool could not make the delay-import library of ${dll}: ${message}")
    endif()
  endif()
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE ${lib} delayimp)
endfunction()
