# Cross build for 64-bit Windows (the tests run under Wine).
set(solvane_mingw_arch x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# ctest starts the Windows programs through 64-bit Wine (its loader only), as
# on Chinese Windows (scripts/wine.sh).
get_filename_component(solvane_wine ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${solvane_wine})
