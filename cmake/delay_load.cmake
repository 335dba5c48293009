# solvane_delay_loaded(TARGET name...): for each system library name, a
# delay-load import library made from the toolchain's import library at build
# time, linked by TARGET (and made before it). For i686, the linker script that
# keeps the stubs of each library (see cmake/make-delay-library.sh) comes on
# the link line ahead of the libraries.
function(solvane_delay_loaded target)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "86$")
    set(arch i686)
  else()
    set(arch x86_64)
  endif()
  foreach(name ${ARGN})
    find_library(import_${name} NAMES lib${name}.a REQUIRED)
    set(library ${CMAKE_BINARY_DIR}/delay-load/lib${name}_delay.a)
    set(outputs ${library})
    if(arch STREQUAL i686)
      list(APPEND outputs ${library}.keep.ld)
      target_link_options(${target} PUBLIC ${library}.keep.ld)
    endif()
    add_custom_command(
      OUTPUT ${outputs}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay-load
      COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/make-delay-library.sh ${CMAKE_NM} ${CMAKE_DLLTOOL} ${import_${name}}
              ${name}.dll ${library} ${arch}
      DEPENDS ${CMAKE_SOURCE_DIR}/cmake/make-delay-library.sh
      VERBATIM)
    add_custom_target(delay_load_${name} DEPENDS ${outputs})
    add_dependencies(${target} delay_load_${name})
    target_link_libraries(${target} PUBLIC ${library})
  endforeach()
  target_link_libraries(${target} PUBLIC delayimp)
endfunction()
