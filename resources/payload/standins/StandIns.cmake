# kelvora_add_standins(FOLDER): the stand-ins for the four payload files, built into FOLDER under their
# installed names; their targets are standin_kelvora, standin_kelvorav3dll, standin_ikeyapi, standin_ekalit.
set(kelvora_standin_sources ${CMAKE_CURRENT_LIST_DIR})

function(kelvora_add_standins folder)
  add_executable(standin_kelvora WIN32 ${kelvora_standin_sources}/KelvoraStandIn.cpp)
  target_link_options(standin_kelvora PRIVATE -municode -s)
  set_target_properties(standin_kelvora PROPERTIES OUTPUT_NAME Kelvora RUNTIME_OUTPUT_DIRECTORY ${folder})

  foreach(library KelvoraV3DLL iKeyAPI eKalit)
    string(TOLOWER standin_${library} target)
    add_library(${target} MODULE ${kelvora_standin_sources}/StandInLibrary.cpp)
    target_compile_definitions(${target} PRIVATE STANDIN_NAME="${library}")
    # Self-contained, so the library loads wherever it is installed; stripped, as shipped libraries are.
    target_link_options(${target} PRIVATE -static -s)
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${library} SUFFIX .dll
      LIBRARY_OUTPUT_DIRECTORY ${folder})
  endforeach()
endfunction()
