# Each module folder adds its own sources: the portable ones (the folder's
# *.cpp) to the core library, its win/*.cpp to the Win32 shell library. Its
# tests/ and win/tests/ are taken by tests/CMakeLists.txt.
function(solvane_module_sources)
  file(GLOB portable CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(portable)
    target_sources(solvane_core PRIVATE ${portable})
  endif()
  if(WIN32)
    file(GLOB shell CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win/*.cpp)
    # The program's entry point is the executable's own, not the library's.
    list(FILTER shell EXCLUDE REGEX "/app/win/main\\.cpp$")
    if(shell)
      target_sources(solvane_shell PRIVATE ${shell})
    endif()
  endif()
endfunction()
