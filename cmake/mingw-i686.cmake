# Cross build for 32-bit Windows (the release).
set(solvane_mingw_arch i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
