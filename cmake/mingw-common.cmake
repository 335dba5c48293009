# Cross build for Windows with mingw-w64 for the architecture the including
# toolchain file names (solvane_mingw_arch), with the posix thread model (the
# win32 model lacks std::mutex, which GoogleTest needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${solvane_mingw_arch})
set(CMAKE_C_COMPILER ${solvane_mingw_arch}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${solvane_mingw_arch}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${solvane_mingw_arch}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${solvane_mingw_arch}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
