# solvane_delay_loaded(TARGET name...): for each system library name, a
# delay-load import library made from the toolchain's import library at build
# time, linked by TARGET (and made before it).
function(solvane_delay_loaded target)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "86$")
    set(arch i686)
  else()
    set(arch x86_64)
  endif()
  foreach(name ${ARGN})
    find_library(import_${name} NAMES lib${name}.a REQUIRED)
    set(library ${CMAKE_BINARY_DIR}/delay-load/lib${name}_delay.a)
    add_custom_command(
      OUTPUT ${library}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay-load
      COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/make-delay-library.sh ${CMAKE_NM} ${CMAKE_DLLTOOL} ${import_${name}}
              ${name}.dll ${library} ${arch}
      DEPENDS ${CMAKE_SOURCE_DIR}/cmake/make-delay-library.sh
      VERBATIM)
    add_custom_target(delay_load_${name} DEPENDS ${library})
    add_dependencies(${target} delay_load_${name})
    target_link_libraries(${target} PUBLIC ${library})
  endforeach()
  target_link_libraries(${target} PUBLIC delayimp)
endfunction()
